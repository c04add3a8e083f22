#pragma once
// A plug-in described independently of any host: parameters by type and
// index, programs, banks, audio, MIDI and names. Its changes go to any
// number of listeners, the last added first; an adapter turns one host's
// calls into calls of this model.
#include "spare/CHfcAudioPluginListener.h"

class CHfcAudioPlugin {
 public:
  CHfcAudioPlugin() = default;
  virtual ~CHfcAudioPlugin();
  CHfcAudioPlugin(const CHfcAudioPlugin&) = delete;
  CHfcAudioPlugin& operator=(const CHfcAudioPlugin&) = delete;

  // 1 on success; 0 when memory runs out (the list is then unchanged).
  int AddListener(CHfcAudioPluginListener* listener);
  // Removes the first equal entry; 0 when it is not there.
  int RemoveListener(CHfcAudioPluginListener* listener);
  long GetListenerCount() const { return count_; }

  virtual void Initialize() {}
  virtual void Uninitialize() {}

  virtual void SetParameterFloat(long type, long index, float value, long flags) {}
  virtual void SetParameterAutoFloat(long type, long index, float value, long flags);
  virtual void PostSetParameterFloat(long type, long index, float value, long flags);
  virtual float GetParameterFloat(long type, long index) { return 0.0f; }
  virtual void SetParameterInt(long type, long index, long value, long flags) {}
  virtual void SetParameterAutoInt(long type, long index, long value, long flags);
  virtual void PostSetParameterInt(long type, long index, long value, long flags);
  virtual long GetParameterInt(long type, long index) { return 0; }
  virtual void SetParameterPtr(long type, long index, void* value, long flags) {}
  virtual void SetParameterAutoPtr(long type, long index, void* value, long flags);
  virtual void PostSetParameterPtr(long type, long index, void* value, long flags);
  virtual void* GetParameterPtr(long type, long index) { return nullptr; }
  virtual bool SetParameterText(long type, long index, const char* text, long flags) {
    return false;
  }
  virtual void GetParameterText(long type, long index, char* text, long size) {}
  virtual void GetParameterName(long type, long index, char* text, long size) {}
  virtual void GetParameterLabel(long type, long index, char* text, long size) {}
  virtual bool IsParameterAutomatable(long type, long index) { return false; }
  virtual void BeginParameterEdit(long type, long index) {}
  virtual void EndParameterEdit(long type, long index) {}
  virtual long GetNumParameters(long type) { return 0; }
  virtual long GetNumParameterTypes() { return 1; }

  virtual long GetNumPrograms() { return 1; }
  virtual void SetProgramIndex(long index, long flags) {}
  virtual void PostSetProgramIndex(long index);
  virtual long GetProgramIndex() { return 0; }
  virtual void SetProgramData(void* data, long size) {}
  virtual void PostSetProgramData(void* data, long size);
  virtual long GetProgramData(void** data) { return 0; }
  virtual long GetProgramDataSize() { return 0; }
  virtual bool CopyProgram(long destination) { return false; }
  virtual void SetProgramName(const char* name) {}
  virtual void PostSetProgramName(const char* name);
  virtual void GetProgramName(char* text, long size) {}
  virtual void GetProgramName(long program, char* text, long size) {}
  virtual void GetProgramName(long bank, long program, char* text, long size) {}

  virtual long GetNumBanks() { return 1; }
  virtual void SetBankIndex(long index, long flags) {}
  virtual void PostSetBankIndex(long index);
  virtual long GetBankIndex() { return 0; }
  virtual void SetBankData(void* data, long size) {}
  virtual void PostSetBankData(void* data, long size);
  virtual long GetBankData(void** data) { return 0; }
  virtual long GetBankDataSize() { return 0; }
  virtual void SetBankName(const char* name) {}
  virtual void GetBankName(char* text, long size) {}
  virtual void GetBankName(long bank, char* text, long size) {}

  virtual void Process(float** in, float** out, long frames) {}
  virtual void ProcessReplacing(float** in, float** out, long frames) {}
  virtual void ProcessInterleaved(float* in, float* out, long frames) {}
  virtual void MidiIn(long status, long data1, long data2, long delta) {}
  virtual void MidiInSysEx(const unsigned char* data, long size, long delta) {}
  virtual void MidiOut(long status, long data1, long data2, long delta) {}
  virtual void MidiOutSysEx(const unsigned char* data, long size, long delta) {}
  virtual void Idle();

  virtual long GetNumInputs() { return 1; }
  virtual long GetNumOutputs() { return 1; }
  virtual void SetSampleRate(float rate) {}
  virtual float GetSampleRate() { return 44100.0f; }
  virtual void SetBlockSize(long size) {}
  virtual long GetBlockSize() { return 1; }
  virtual void StartAudio() {}
  virtual void StopAudio() {}

  virtual bool GetEffectName(char* text, int size) { return false; }
  virtual bool GetVendorName(char* text, int size) { return false; }
  virtual bool GetProductName(char* text, int size) { return false; }
  virtual long GetVersion() { return 0; }
  // Every concrete plug-in names its own four-character identity.
  virtual long GetUniqueID() = 0;

 private:
  // Where a notification round stands; rounds may nest (a listener that
  // makes the model notify again), so the cursors form a chain.
  struct Cursor {
    long position;
    Cursor* outer;
  };

  // Calls each listener, the last added first. A listener may add or remove
  // listeners meanwhile: a removed one that was not yet called is not
  // called, an added one waits for the next notification.
  template <typename F>
  void Notify(F call) {
    Cursor cursor{count_, cursors_};
    cursors_ = &cursor;
    while (cursor.position-- > 0) call(listeners_[cursor.position]);
    cursors_ = cursor.outer;
  }

  CHfcAudioPluginListener** listeners_ = nullptr;
  long count_ = 0;
  Cursor* cursors_ = nullptr;
};
