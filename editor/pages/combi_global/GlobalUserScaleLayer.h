#pragma once
// The user scale page: a row of twelve note fields (cents) for one of the
// four user octave scales, chosen by a drop-down, and a row for one octave
// of the all-notes scale, chosen on a small keyboard. Choosing re-links the
// fields; no data is copied.
#include "editor/pages/combi_global/GlobalPageLayerBase.h"

class CHfcBmp;
class XEControlContainer;
class XEControlCreater;

class GlobalUserScaleLayer : public GlobalPageLayerBase {
 public:
  static constexpr int kScaleListId = 0x100001;
  static constexpr int kOctaveSelectorId = 0x100002;
  static constexpr int kOctaveBase = static_cast<int>(0x81000000u);
  static constexpr int kAllNotesBase = static_cast<int>(0x81000100u);
  static constexpr int kScaleCount = 4;
  static constexpr int kOctaveLabelBase = 0x110000;
  static constexpr int kAllNotesLabelBase = 0x120000;

  explicit GlobalUserScaleLayer(Oskend::IRemoteSynth* synth);

  bool OnCreate() override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void OnHfcCtrlPtrValueChanged(CHfcControl* control, void* text) override;
  bool PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;

  void OnUserOctaveChanged(int scale);
  void OnAllNotesOctaveChanged(int octave);
  XEControlContainer* GetAllNotesKeyContainer() const { return m_pAllNotesKeys; }

 private:
  void CreateUserOctaveControls();
  void CreateAllNotesControls();
  void CreateOctaveEdit(XEControlCreater& make, XEControlContainer* keys, int base);

  XEControlContainer* m_pAllNotesKeys = nullptr;
  CHfcBmp* m_pOctaveImage = nullptr;
  CHfcBmp* m_pOctave10Image = nullptr;
};
