#pragma once
// Adapts a host-neutral plug-in model to a VST 2 host: every host call is
// forwarded to the model (parameter type 0), and the model's program
// changes are mirrored into the effect record. The model is not owned; the
// adapter listens to it from construction until its destruction.
#include <cstdint>

#include "plugin/AudioEffectX.h"
#include "spare/CHfcAudioPlugin.h"
#include "spare/CHfcAudioPluginListener.h"

class CHfcVstPlugin : public AudioEffectX, public CHfcAudioPluginListener {
 public:
  CHfcVstPlugin(audioMasterCallback callback, CHfcAudioPlugin* model);
  ~CHfcVstPlugin() override;

  CHfcAudioPlugin* GetModel() const { return model_; }
  bool IsProgramChanged() const { return programChanged_ != 0; }

  void setParameter(int32_t index, float value) override;
  float getParameter(int32_t index) override;
  void getParameterLabel(int32_t index, char* text) override;
  void getParameterDisplay(int32_t index, char* text) override;
  void getParameterName(int32_t index, char* text) override;
  virtual bool string2parameter(int32_t index, char* text);
  bool canParameterBeAutomated(int32_t index) override;

  int32_t getProgram() override;
  void setProgram(int32_t program) override;
  void setProgramName(char* name) override;
  void getProgramName(char* text) override;
  bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
  virtual bool copyProgram(int32_t destination);
  int32_t getChunk(void** data, bool isPreset) override;
  int32_t setChunk(void* data, int32_t size, bool isPreset) override;

  void process(float** inputs, float** outputs, int32_t frames) override;
  void processReplacing(float** inputs, float** outputs, int32_t frames) override;
  int32_t processEvents(VstEvents* events) override;

  void open() override;
  void close() override;
  void suspend() override;
  void resume() override;
  void setSampleRate(float rate) override;
  void setBlockSize(int32_t size) override;

  bool getEffectName(char* text) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  int32_t getVendorVersion() override;

  void OnHfcAudioPluginProgramIndexChanged(CHfcAudioPlugin* plugin, long index) override;

 private:
  CHfcAudioPlugin* model_;
  uint8_t programChanged_ = 0;
};
