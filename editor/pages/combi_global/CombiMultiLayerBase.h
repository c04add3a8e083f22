#pragma once
// The base of the pages that show the timbres of a performance (or the
// tracks of a multi set-up): per-track MIDI activity indicators, two groups
// of panels shown alternately (track shift), and a hook run after every
// model notice.
#include <vector>

#include "editor/pages/combi_global/IMIDIReceiver.h"
#include "editor/shell/EditTabPageLayerBase.h"

class CMMPCtrlFlash;
class XEControlContainer;

class CombiMultiLayerBase : public EditTabPageLayerBase, public IMIDIReceiver {
 public:
  CombiMultiLayerBase(Oskend::IRemoteSynth* synth, eMode mode, bool groups);
  ~CombiMultiLayerBase() override;

  bool OnCreate() override;
  bool OnDestroy() override;
  bool Show(bool redraw) override;
  void OnIdleSectionReinitialized(Oskend::ISection* section) override;
  void OnRemoteSynthBankListChanged(Oskend::IRemoteSynth* synth, eMode mode,
                                    const Oskend::SSoundIndex& index) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;

  void OnSectionParamChanged(Oskend::ISection* section, int pid) override;
  void OnRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth* synth, bool connected,
                                           bool flag) override;
  void OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth,
                                    const Oskend::SSoundIndex& index) override;
  void OnMidiIn(unsigned char status, unsigned char data1, unsigned char data2) override;
  virtual void UpdateControlStatus() {}

  int GetNumTracks() const;
  // Parameter id of the track's first parameter (its index 4 is the
  // track's MIDI channel).
  virtual int GetBaseId(int track);

  void AddTrackShiftList(int group, XEControlContainer* container);
  void AddTrackShiftList(int group, CHfcControl* control);
  void TrackShift(int group);

 protected:
  std::vector<CMMPCtrlFlash*> m_trackIndicators;
  std::vector<XEControlContainer*> m_groupContainers[2];
  std::vector<CHfcControl*> m_groupControls[2];
  bool m_bGroups;
};
