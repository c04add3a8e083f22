#pragma once
// State notices of the remote synthesizer model, always delivered on the
// main thread. Every call receives the model first.
#include "model/SSoundIndex.h"
#include "model/eMode.h"
#include "remote/SExtCtlState.h"

namespace Oskend {

class IRemoteSynth;

class IRemoteSynthSink {
 public:
  virtual ~IRemoteSynthSink() = default;
  virtual void OnRemoteSynthConnectionStateChanged(IRemoteSynth* synth, bool connected,
                                                   bool checked) = 0;
  virtual void OnRemoteSynthExtCtlStateChanged(IRemoteSynth* synth, const SExtCtlState& state) = 0;
  virtual void OnRemoteSynthMasterVolumeChanged(IRemoteSynth* synth, unsigned volume) = 0;
  virtual void OnRemoteSynthModeChanged(IRemoteSynth* synth, int mode) = 0;
  virtual void OnRemoteSynthCurSoundChanged(IRemoteSynth* synth, const SSoundIndex& sound) = 0;
  // kind: the mode of the sounds; 0xFF in the index: a whole bank or all banks.
  virtual void OnRemoteSynthBankListChanged(IRemoteSynth* synth, eMode kind,
                                            const SSoundIndex& sound) = 0;
  virtual void OnRemoteSynthAuditionStateChanged(IRemoteSynth* synth, bool auditioning) = 0;
  virtual void OnRemoteSynthProgOSCModeChanged(IRemoteSynth* synth, int mode) = 0;
  virtual void OnRemoteSynthBeginUIUtility(IRemoteSynth* synth) = 0;
  virtual void OnRemoteSynthEndUIUtility(IRemoteSynth* synth, bool flag) = 0;
  virtual void OnRemoteSynthSeqStateChanged(IRemoteSynth* synth, bool running) = 0;
  virtual void OnRemoteSynthNeedAutomationAPI(IRemoteSynth* synth, long what) = 0;
};

}  // namespace Oskend
