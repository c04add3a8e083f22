#pragma once
// The parameters of one effect slot, whatever type it holds: on each type
// change the page throws its controls away and lays out new ones from the
// rows of the type's parameter table (headings, frames, column breaks and
// the parameters themselves), once per idle however many changes arrived.
//
// Owners: EffectEditLayer(synth, mode, slot); Create(); add it to a tab
// strip; OnEffectTypeChanged(...) to schedule the first build. Slots 0-4
// are insert effects 1-5, 5 and 6 master effects 1 and 2, 7 the total
// effect.
#include "editor/shell/EditTabPageLayerBase.h"
#include "platform/CHfcCriticalSection.h"

class XEControlCreater;
struct SParamDesc;

class EffectEditLayer : public EditTabPageLayerBase {
 public:
  // Layout of the rows: columns 196 wide starting at x 15, rows 20 high.
  static constexpr int kFirstColumnX = 15;
  static constexpr int kColumnWidth = 196;
  static constexpr int kRowHeight = 20;

  // Where a frame row (kind 3) puts its picture: the skin and the
  // rectangle for frame style `flags`, in a column at x, at `row`, C
  // columns wide and R rows high. False for styles without a frame.
  struct FrameRect {
    const char* skin;
    int left, top, width, height;
  };
  static bool GetFrameRect(int flags, int x, int row, int columns, int rows, FrameRect* out);

  EffectEditLayer(Oskend::IRemoteSynth* synth, eMode mode, int slot);
  ~EffectEditLayer() override;

  using CTabPageLayer::Create;
  bool Create(CHfcWindow* window);
  // Any call schedules one rebuild on the next idle; the value is unused.
  void OnEffectTypeChanged(int type);
  int GetSlot() const { return m_iSlot; }
  bool IsRebuildPending();

  Oskend::ISection* GetFXSection() const { return GetFXSection(m_iSlot); }
  Oskend::ISection* GetFXSection(int slot) const;
  int GetFXTypeParamId(int slot) const;

  void OnRefresh() override;
  bool OnDestroy() override;
  void OnIdleSectionReinitialized(Oskend::ISection* section) override;
  void OnRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth* synth, bool playing) override;

 private:
  void Rebuild(Oskend::ISection* section);
  // The steps of Rebuild: whether the slot can hold an effect of its own
  // (a wide effect of the slot before takes it over), a row's name label,
  // and the row's control, added to the page, linked and shown.
  bool IsSlotAvailable();
  void AddRowLabel(XEControlCreater& f, const SParamDesc& d, int x, int y);
  CHfcControl* CreateRowControl(XEControlCreater& f, const SParamDesc& d, int pid, int x, int row);
  void AddRowControl(CHfcControl* c, int kind, int pid);
  void ScheduleRebuild();

  int m_iSlot;
  CHfcCriticalSection m_lock;
  bool m_bRebuild = false;
  Oskend::ISection* m_pAdvised = nullptr;
};
