#pragma once
// The settings a performance shares across its timbres: the arpeggiator
// assignment of each of 16 tracks, whether arpeggiators A and B run, their
// set-up and scan zones, and the B assignments of the realtime-control
// knobs. The variant of a mode names the parameter of each control.
#include "editor/pages/combi_global/CombiMultiLayerBase.h"

class XEControlCreater;

class CombiMultiCommonLayer : public CombiMultiLayerBase {
 public:
  // Control kinds asked of GetParamId (index as listed).
  enum Kind {
    kTrackArpAssign = 0,  // track 0-15
    kArpRun = 1,          // 0 A, 1 B
    kPattern = 2,         // arpeggiator 0/1, and so on to kBottomVelocity
    kResolution = 3,
    kOctave = 4,
    kGate = 5,
    kVelocity = 6,
    kSwing = 7,
    kSort = 8,
    kKeySync = 9,
    kLatch = 10,
    kKeyboard = 11,
    kTopKey = 12,
    kBottomKey = 13,
    kTopVelocity = 14,
    kBottomVelocity = 15,
    kKnobAssignB = 30,  // + knob number 1-4, index knob - 1
  };

  CombiMultiCommonLayer(Oskend::IRemoteSynth* synth, eMode mode, bool groups);

  bool OnCreate() override;
  void OnActivate() override {}
  void OnDeactivate() override {}
  virtual int GetParamId(int kind, int sub, int index) = 0;

  size_t GetTrackIndicatorCount() const { return m_trackIndicators.size(); }

 protected:
  void CreateSetupControls();
  void CreateTrackNumbers(XEControlCreater* creator, XEControlContainer* container, int index,
                          int x, int y);

 private:
  // Adds, shows, links, synchronises and files a created control.
  void PutLinked(XEControlContainer* group, CHfcControl* control, int kind, int index);
  void PutLabel(XEControlContainer* group, int x, int y, const char* text, int w, int style);
};

// The performance variant: every control is linked with id -1.
class CombiCommonLayer : public CombiMultiCommonLayer {
 public:
  explicit CombiCommonLayer(Oskend::IRemoteSynth* synth);

  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
  int GetParamId(int, int, int) override { return -1; }
};
