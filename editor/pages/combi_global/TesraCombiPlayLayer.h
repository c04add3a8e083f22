#pragma once
// The performance play page: the split key field with its note-learn
// switch, and the two tabs of six timbres each. Note-ons that arrive while
// learning are queued under a lock (the synthesizer link calls from its
// MIDI thread) and the last one is shown at the next idle.
#include <list>

#include "editor/pages/combi_global/CombiMultiLayerBase.h"
#include "platform/CHfcCriticalSection.h"
#include "remote/IRemoteSynthMIDISink.h"

class TesraCombiPlayLayer : public CombiMultiLayerBase, public Oskend::IRemoteSynthMIDISink {
 public:
  static constexpr int kKeyFieldId = 263;
  static constexpr int kLearnSwitchId = 0x100000;
  static constexpr int kSplitBarId = 0x12700;

  explicit TesraCombiPlayLayer(Oskend::IRemoteSynth* synth);
  ~TesraCombiPlayLayer() override;

  bool OnCreate() override;
  bool OnDestroy() override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void OnHfcCtrlPtrValueChanged(CHfcControl* control, void* text) override;
  void OnSectionParamChanged(Oskend::ISection* section, int pid) override;
  void OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth* synth,
                                    const Oskend::SSoundIndex& index) override;
  void OnMidiIn(unsigned char status, unsigned char data1, unsigned char data2) override;
  void OnIdle(unsigned long elapsed) override;

  using EditTabPageLayerBase::CreateSublevelTab;
  virtual bool CreateSublevelTab();
  void OnRemoteSynthMIDIIn(Oskend::IRemoteSynth* synth, const void* data,
                           unsigned int length) override;
  virtual int GetParamId(int kind, int index);

  void RequestChangeNote(int note);
  void ChangeCurrentNote(int note);

 private:
  void CreateTimbreProg();
  bool IsLearning();

  CHfcCriticalSection m_noteLock;
  std::list<int> m_noteRequests;
};
