#pragma once
// The base of the six program edit pages (Basic, Pitch, Filter, Amp, LFOs,
// AMS Mix/KTrk): an edit page on the program edit buffer that keeps its
// enable state in step with the program's oscillator mode, builds its
// sub-level strip from forms, and keeps key triples in order.
//
// Construction: Page(synth); the root layer then creates it in its window
// (CTabPageLayer::Create) and adds it to the program tab strip.
//
// Section notices reach a page on whatever thread the model reports them.
// The model side of a notice (the ordering writes) happens there; what a
// notice changes in controls is queued and applied in the page's next idle
// on the GUI thread.
#include <initializer_list>
#include <list>
#include <string>
#include <thread>

#include "editor/shell/EditTabPageLayerBase.h"
#include "platform/CHfcCriticalSection.h"

namespace Oskend {
class ISection;
}

class ProgEditLayer : public EditTabPageLayerBase {
 public:
  enum MenuKind { kMenuBasic, kMenuWithEG, kMenuLFOs, kMenuAMS };

  explicit ProgEditLayer(Oskend::IRemoteSynth* synth);
  ~ProgEditLayer() override;

  bool OnCreate() override;
  bool OnDestroy() override;
  bool Show(bool redraw) override;
  void OnIdle(unsigned long elapsed) override;

  // The oscillator mode (1 double, anything else single; -1 without an
  // edit buffer) and the oscillator section of the edit buffer.
  int GetOSCMode() const;
  // Oscillator 2's controls: enabled while the program has two oscillators.
  void EnableForSecondOscillator(std::initializer_list<int> controlIds);
  Oskend::ISection* GetOSCSection() const;

  virtual void UpdateControlStatus() {}

  void OnIdleSectionParamChanged(Oskend::ISection* section, int pid) override;
  void OnIdleSectionReinitialized(Oskend::ISection* section) override;
  void OnIdleRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*, const Oskend::SSoundIndex&) override;
  void OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode, const Oskend::SSoundIndex&) override;
  void OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool) override;

  // Section sink, any thread: the event is queued, the page's own model
  // reaction runs at once, its control updates wait for the GUI thread.
  void OnSectionParamChanged(Oskend::ISection* section, int pid) override;
  void OnSectionReinitialized(Oskend::ISection* section) override;

  // The page menu of a kind, in menu order.
  static void AppendMenu(MenuKind kind, std::list<MenuItemInfo>& out);

  // Ordering of a key triple p0 <= p1 <= p2 (p1 the pivot); writes only a
  // value that differs from the present one. False when pid is in no
  // triple of the list.
  struct KeyTriple {
    int p0, p1, p2;
  };
  bool ApplyKeyTriple(int pid, int value, std::initializer_list<KeyTriple> triples);

  // Number of control updates waiting for the GUI thread.
  size_t GetDeferredUpdateCount();

 protected:
  // The page's model reaction to a changed parameter (ordering rules);
  // any thread.
  virtual void OnSectionParamChangedModel(int) {}
  // The page's control reaction to a changed parameter, -1 for a
  // reinitialised section; GUI thread only.
  virtual void UpdateControlsFor(int) {}

 protected:
  // Runs UpdateControlsFor(pid) now on the GUI thread, else in the idle.
  void RunOrDefer(int pid);
  void RunOrDeferAll() { RunOrDefer(-1); }

 private:

  std::thread::id m_uiThread = std::this_thread::get_id();
  CHfcCriticalSection m_deferLock;
  std::list<int> m_deferred;
};
