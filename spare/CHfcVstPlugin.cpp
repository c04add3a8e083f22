#include "spare/CHfcVstPlugin.h"

#include <cstddef>

namespace {
constexpr long kNameSize = 24;
constexpr int kEffectNameSize = 32;
constexpr int kVendorSize = 64;
}  // namespace

CHfcVstPlugin::CHfcVstPlugin(audioMasterCallback callback, CHfcAudioPlugin* model)
    : AudioEffectX(callback, static_cast<int32_t>(model->GetNumPrograms()),
                   static_cast<int32_t>(model->GetNumParameters(0))),
      model_(model) {
  model_->AddListener(this);
}

// A model may outlive its adapter; it must not call a destroyed listener.
CHfcVstPlugin::~CHfcVstPlugin() { model_->RemoveListener(this); }

void CHfcVstPlugin::setParameter(int32_t index, float value) {
  model_->SetParameterFloat(0, index, value, 0);
}

float CHfcVstPlugin::getParameter(int32_t index) { return model_->GetParameterFloat(0, index); }

void CHfcVstPlugin::getParameterLabel(int32_t index, char* text) {
  model_->GetParameterLabel(0, index, text, kNameSize);
}

void CHfcVstPlugin::getParameterDisplay(int32_t index, char* text) {
  model_->GetParameterText(0, index, text, kNameSize);
}

void CHfcVstPlugin::getParameterName(int32_t index, char* text) {
  model_->GetParameterName(0, index, text, kNameSize);
}

bool CHfcVstPlugin::string2parameter(int32_t index, char* text) {
  return model_->SetParameterText(0, index, text, 0);
}

bool CHfcVstPlugin::canParameterBeAutomated(int32_t index) {
  return model_->IsParameterAutomatable(0, index);
}

int32_t CHfcVstPlugin::getProgram() { return static_cast<int32_t>(model_->GetProgramIndex()); }

void CHfcVstPlugin::setProgram(int32_t program) { model_->SetProgramIndex(program, 0); }

void CHfcVstPlugin::setProgramName(char* name) { model_->SetProgramName(name); }

void CHfcVstPlugin::getProgramName(char* text) { model_->GetProgramName(text, kNameSize); }

bool CHfcVstPlugin::getProgramNameIndexed(int32_t, int32_t index, char* text) {
  if (index < 0 || index >= model_->GetNumPrograms()) return false;
  model_->GetProgramName(static_cast<long>(index), text, kNameSize);
  return true;
}

bool CHfcVstPlugin::copyProgram(int32_t destination) { return model_->CopyProgram(destination); }

int32_t CHfcVstPlugin::getChunk(void** data, bool isPreset) {
  return static_cast<int32_t>(isPreset ? model_->GetProgramData(data)
                                       : model_->GetBankData(data));
}

int32_t CHfcVstPlugin::setChunk(void* data, int32_t size, bool isPreset) {
  if (isPreset)
    model_->SetProgramData(data, size);
  else
    model_->SetBankData(data, size);
  return 1;
}

void CHfcVstPlugin::process(float** inputs, float** outputs, int32_t frames) {
  model_->Process(inputs, outputs, frames);
}

void CHfcVstPlugin::processReplacing(float** inputs, float** outputs, int32_t frames) {
  model_->ProcessReplacing(inputs, outputs, frames);
}

int32_t CHfcVstPlugin::processEvents(VstEvents* events) {
  if (!events) return 1;
  // The host's list runs on past the two entries the record declares.
  VstEvent* const* list = reinterpret_cast<VstEvent* const*>(
      reinterpret_cast<const unsigned char*>(events) + offsetof(VstEvents, events));
  for (int32_t i = 0; i < events->numEvents; ++i) {
    const VstEvent* e = list[i];
    if (!e || e->type != kVstMidiType) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(e);
    model_->MidiIn(midi->midiData[0], midi->midiData[1], midi->midiData[2], midi->deltaFrames);
  }
  return 1;
}

void CHfcVstPlugin::open() { model_->Initialize(); }
void CHfcVstPlugin::close() { model_->Uninitialize(); }
void CHfcVstPlugin::suspend() { model_->StopAudio(); }
void CHfcVstPlugin::resume() { model_->StartAudio(); }

void CHfcVstPlugin::setSampleRate(float rate) {
  AudioEffectX::setSampleRate(rate);
  model_->SetSampleRate(rate);
}

void CHfcVstPlugin::setBlockSize(int32_t size) {
  AudioEffectX::setBlockSize(size);
  model_->SetBlockSize(size);
}

bool CHfcVstPlugin::getEffectName(char* text) {
  return model_->GetEffectName(text, kEffectNameSize);
}

bool CHfcVstPlugin::getVendorString(char* text) {
  return model_->GetVendorName(text, kVendorSize);
}

bool CHfcVstPlugin::getProductString(char* text) {
  return model_->GetProductName(text, kVendorSize);
}

int32_t CHfcVstPlugin::getVendorVersion() { return static_cast<int32_t>(model_->GetVersion()); }

void CHfcVstPlugin::OnHfcAudioPluginProgramIndexChanged(CHfcAudioPlugin*, long index) {
  curProgram_ = static_cast<int32_t>(index);
  programChanged_ = 1;
}
