#pragma once
// The base of a VST 2 plug-in object: keeps the record the host reads,
// turns the host's dispatcher calls into virtual operations and wraps the
// host callback. Every operation the plug-in does not override answers as
// the host expects of a plug-in without that feature.
#include <atomic>
#include <cstdint>

#include "plugin/Vst2Abi.h"

class AEffEditor;

class AudioEffect {
 public:
  AudioEffect(audioMasterCallback callback, int32_t numPrograms, int32_t numParams);
  virtual ~AudioEffect();
  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;

  // Any thread.
  AEffect* getAeffect() { return &cEffect_; }
  AEffEditor* getEditor() const { return editor_; }
  // Loop thread, while the host cannot reach the editor yet (start-up) or
  // any more (shutdown). Takes ownership; sets or clears the has-editor flag.
  void setEditor(AEffEditor* editor);

  // The host's calls, on the threads the plug-in object's overrides name;
  // these defaults take no lock and wait for nothing, so any thread.
  virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
  virtual void open() {}
  virtual void close() {}
  virtual void process(float** inputs, float** outputs, int32_t sampleFrames) {}
  virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) = 0;
  virtual void processDoubleReplacing(double**, double**, int32_t) {}
  virtual void setParameter(int32_t index, float value) {}
  virtual float getParameter(int32_t index) { return 0; }
  virtual void setProgram(int32_t program) { curProgram_ = program; }
  virtual int32_t getProgram() { return curProgram_; }
  virtual void setProgramName(char*) {}
  virtual void getProgramName(char* name) { *name = 0; }
  virtual void getParameterLabel(int32_t, char* label) { *label = 0; }
  virtual void getParameterDisplay(int32_t, char* text) { *text = 0; }
  virtual void getParameterName(int32_t, char* text) { *text = 0; }
  virtual void setSampleRate(float rate) { sampleRate_ = rate; }
  virtual void setBlockSize(int32_t size) { blockSize_ = size; }
  virtual void suspend() {}
  virtual void resume() {}
  virtual int32_t getChunk(void** data, bool isPreset) { return 0; }
  virtual int32_t setChunk(void* data, int32_t size, bool isPreset) { return 0; }

  // Setters of the record: the constructor's thread, before the host has
  // the record.
  void setUniqueID(int32_t id) { cEffect_.uniqueID = id; }
  void setNumInputs(int32_t n) { cEffect_.numInputs = n; }
  void setNumOutputs(int32_t n) { cEffect_.numOutputs = n; }
  void canMono(bool on) { SetFlag(effFlagsCanMono, on); }
  void canProcessReplacing(bool on) { SetFlag(effFlagsCanReplacing, on); }
  void programsAreChunks(bool on) { SetFlag(effFlagsProgramChunks, on); }
  // Any thread.
  float getSampleRate() const { return sampleRate_; }
  int32_t getBlockSize() const { return blockSize_; }

  // Host callback wrappers; 0 or false without a callback. Until the host
  // has called the instance through its record (the entry has returned
  // it), the host cannot tell which plug-in calls: only the version is
  // asked then, and every other call answers 0 without reaching the host.
  // Past that, RouteHostCall decides where and when a call reaches the
  // host. Any thread.
  virtual int32_t getMasterVersion();
  virtual void setParameterAutomated(int32_t index, float value);
  intptr_t CallHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0);
  // Any thread: whether a call of this thread reaches the host now (a
  // question to the host can be asked only then). This default: always.
  virtual bool CallsHostDirectly() const { return true; }
  // Any thread: the host has called the instance through its record.
  bool HostHasInstance() const { return hostHasInstance_.load(std::memory_order_acquire); }

  // The record's entry points: whichever host thread calls that entry.
  static intptr_t dispatchEffectClass(AEffect* e, int32_t opcode, int32_t index, intptr_t value,
                                      void* ptr, float opt);
  static void processClass(AEffect* e, float** inputs, float** outputs, int32_t sampleFrames);
  static void processClassReplacing(AEffect* e, float** inputs, float** outputs,
                                    int32_t sampleFrames);
  static void processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs,
                                          int32_t sampleFrames);
  static void setParameterClass(AEffect* e, int32_t index, float value);
  static float getParameterClass(AEffect* e, int32_t index);

 protected:
  // The thread of the call (CallHost's caller): where a call goes once the
  // host has the instance; what it answers is CallHost's answer. This
  // default makes the call at once.
  virtual intptr_t RouteHostCall(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return CallHostNow(opcode, index, value, ptr, opt);
  }
  // Any thread: the host callback itself.
  intptr_t CallHostNow(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

  void SetFlag(int32_t flag, bool on) {
    if (on)
      cEffect_.flags |= flag;
    else
      cEffect_.flags &= ~flag;
  }

  audioMasterCallback audioMaster_;
  AEffEditor* editor_ = nullptr;
  float sampleRate_ = 44100.0f;
  int32_t blockSize_ = 1024;
  int32_t numPrograms_;
  int32_t numParams_;
  int32_t curProgram_ = 0;
  AEffect cEffect_;

 private:
  // Set by the record's entry points (a store, so the audio thread may
  // set it too).
  static AudioEffect* Entered(AEffect* e);
  std::atomic<bool> hostHasInstance_{false};
};
