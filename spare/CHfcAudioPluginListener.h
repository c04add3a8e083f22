#pragma once
// What a host-neutral plug-in model tells about itself. Every operation
// defaults to doing nothing, so a listener overrides only what it follows.
class CHfcAudioPlugin;

class CHfcAudioPluginListener {
 public:
  virtual ~CHfcAudioPluginListener() = default;

  virtual void OnHfcAudioPluginFloatValueChanged(CHfcAudioPlugin*, long type, long index,
                                                 float value, long flags) {}
  virtual void OnHfcAudioPluginIntValueChanged(CHfcAudioPlugin*, long type, long index,
                                               long value, long flags) {}
  virtual void OnHfcAudioPluginPtrValueChanged(CHfcAudioPlugin*, long type, long index,
                                               void* value, long flags) {}
  virtual void OnHfcAudioPluginSetParameterAutoFloat(CHfcAudioPlugin*, long type, long index,
                                                     float value, long flags) {}
  virtual void OnHfcAudioPluginSetParameterAutoInt(CHfcAudioPlugin*, long type, long index,
                                                   long value, long flags) {}
  virtual void OnHfcAudioPluginSetParameterAutoPtr(CHfcAudioPlugin*, long type, long index,
                                                   void* value, long flags) {}
  virtual void OnHfcAudioPluginProgramIndexChanged(CHfcAudioPlugin*, long index) {}
  virtual void OnHfcAudioPluginProgramDataSet(CHfcAudioPlugin*, void* data, long size) {}
  virtual void OnHfcAudioPluginProgramNameChanged(CHfcAudioPlugin*, const char* name) {}
  virtual void OnHfcAudioPluginBankIndexChanged(CHfcAudioPlugin*, long index) {}
  virtual void OnHfcAudioPluginBankDataSet(CHfcAudioPlugin*, void* data, long size) {}
  virtual void OnHfcAudioPluginMidiIn(CHfcAudioPlugin*, long status, long data1, long data2,
                                      long delta, bool sysEx) {}
  virtual void OnHfcAudioPluginIdle(CHfcAudioPlugin*) {}
  virtual void OnHfcAudioPluginRefresh(CHfcAudioPlugin*) {}
};
