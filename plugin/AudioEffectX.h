#pragma once
// The extended plug-in base: events, pins, names, capabilities, bypass and
// the host callback wrappers that instruments need.
#include "plugin/AudioEffect.h"

class AudioEffectX : public AudioEffect {
 public:
  AudioEffectX(audioMasterCallback callback, int32_t numPrograms, int32_t numParams)
      : AudioEffect(callback, numPrograms, numParams) {}

  // Host threads.
  intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                      float opt) override;

  // The host's questions and settings, on the threads the plug-in object's
  // overrides name; these defaults answer at once on any thread.

  virtual int32_t processEvents(VstEvents*) { return 0; }
  virtual bool canParameterBeAutomated(int32_t) { return true; }
  virtual bool getProgramNameIndexed(int32_t category, int32_t index, char* text) {
    return false;
  }
  virtual bool getInputProperties(int32_t, VstPinProperties*) { return false; }
  virtual bool getOutputProperties(int32_t, VstPinProperties*) { return false; }
  virtual int32_t getPlugCategory() { return 0; }
  virtual bool setBypass(bool) { return false; }
  virtual bool getEffectName(char*) { return false; }
  virtual bool getVendorString(char*) { return false; }
  virtual bool getProductString(char*) { return false; }
  virtual int32_t getVendorVersion() { return 0; }
  virtual intptr_t vendorSpecific(int32_t, intptr_t, void*, float) { return 0; }
  virtual int32_t canDo(char*) { return 0; }
  virtual int32_t getGetTailSize() { return 0; }
  virtual int32_t keysRequired() { return 0; }
  virtual int32_t getVstVersion() { return 2400; }

  // The constructor's thread, before the host has the record.
  void isSynth(bool on) { SetFlag(effFlagsIsSynth, on); }

  // Host callback wrappers: wantEvents on the host's thread inside resume;
  // sendVstEventsToHost on the audio thread only (inside processReplacing);
  // the product and version queries on any thread but the audio thread;
  // updateDisplay, beginEdit and endEdit on the loop thread, which holds no
  // lock when it calls (the plug-in object hands them to a host thread).
  bool wantEvents(int32_t filter = 1);
  bool sendVstEventsToHost(VstEvents* events);
  bool getHostProductString(char* text);
  int32_t getHostVendorVersion();
  bool updateDisplay();
  bool beginEdit(int32_t index);
  bool endEdit(int32_t index);
};
