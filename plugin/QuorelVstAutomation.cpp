// What the host reads and writes besides MIDI: the 71 automation
// parameters, the program names and the state chunks.
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>

#include "model/ISection.h"
#include "platform/HfcBundle.h"
#include "plugin/CMidiFifo.h"
#include "plugin/CParameter.h"
#include "plugin/QuorelVst.h"
#include "remote/FTYPE.h"
#include "remote/IRemoteSynth.h"

namespace {

constexpr size_t kTextMax = 16;
constexpr const char* kNotAvailable = "Not available";

// The automation row of a host parameter; false without model or row.
bool AutomationRow(Oskend::IRemoteSynth* model, int32_t index, Oskend::ISection** section,
                   SParamDesc* row) {
  if (!model || index < 0) return false;
  Oskend::ISection* s = model->GetAutomation();
  if (!s || !s->GetParamDescByIndex(static_cast<unsigned>(index), row)) return false;
  *section = s;
  return true;
}

int Steps(const SParamDesc& row) { return row.max + 1 - row.min; }

void CopyCut(char* out, const char* text) {
  out[0] = 0;
  if (!text) return;
  std::strncpy(out, text, kTextMax);
  out[kTextMax] = 0;
}

}  // namespace

float QuorelVst::getParameter(int32_t index) {
  Oskend::ISection* s = nullptr;
  SParamDesc row{};
  if (!AutomationRow(model_, index, &s, &row)) return 0.0f;
  return CParameter::RegulateFromInt(s->GetParamI(row.id), Steps(row), row.min);
}

void QuorelVst::setParameter(int32_t index, float value) {
  // On the audio thread the write is handed to the worker thread.
  if (automation_ && audioThread_.load() == std::this_thread::get_id()) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    if (index >= 0 && index < kNumParams && automation_->Push(0, static_cast<uint8_t>(index), 0, bits))
      workerEvent_.Set();
    return;
  }
  WriteParameter(index, value);
}

void QuorelVst::ForwardAutomation() {
  if (!automation_) return;
  int n = automation_->Count();
  tagMidiData m;
  while (n-- > 0 && automation_->Pop(&m)) {
    float value;
    std::memcpy(&value, &m.time, sizeof value);
    WriteParameter(m.data1, value);
  }
}

void QuorelVst::WriteParameter(int32_t index, float value) {
  Oskend::ISection* s = nullptr;
  SParamDesc row{};
  if (!AutomationRow(model_, index, &s, &row)) return;
  const int v = CParameter::QuantizeToInt(value, Steps(row), row.min);
  if (v != s->GetParamI(row.id)) s->PutParamI(row.id, v);
}

void QuorelVst::getParameterName(int32_t index, char* text) {
  Oskend::ISection* s = nullptr;
  SParamDesc row{};
  if (!AutomationRow(model_, index, &s, &row)) return;
  CopyCut(text, row.name);
}

void QuorelVst::getParameterLabel(int32_t index, char* text) {
  Oskend::ISection* s = nullptr;
  SParamDesc row{};
  if (!AutomationRow(model_, index, &s, &row)) return;
  CopyCut(text, row.label);
}

void QuorelVst::getParameterDisplay(int32_t index, char* text) {
  Oskend::ISection* s = nullptr;
  SParamDesc row{};
  if (!AutomationRow(model_, index, &s, &row)) return;
  const std::string value = s->GetParamS(row.id);
  CopyCut(text, value.c_str());
}

int32_t QuorelVst::getProgram() { return model_ ? model_->GetCurSound(true).number : 0; }

void QuorelVst::getProgramName(char* text) {
  text[0] = 0;
  if (model_) std::strcpy(text, kNotAvailable);
}

bool QuorelVst::getProgramNameIndexed(int32_t, int32_t, char* text) {
  if (!model_) return false;
  std::strcpy(text, kNotAvailable);
  return true;
}

int32_t QuorelVst::getChunk(void** data, bool isPreset) {
  if (!model_ || !data) return 0;
  try {
    Oskend::FTYPE type = Oskend::FTYPE::Bank;
    if (isPreset) {
      const int soundMode = model_->GetSoundMode();
      // Outside the two sound modes no edit buffer is current: the preset
      // then keeps the whole state, as a bank chunk does, rather than
      // nothing.
      type = soundMode == 0   ? Oskend::FTYPE::Combi
             : soundMode == 2 ? Oskend::FTYPE::Prog
                              : Oskend::FTYPE::Bank;
    }
    std::string& chunk = isPreset ? presetChunk_ : bankChunk_;
    std::ostringstream out(std::ios::binary);
    if (!model_->SaveStream(out, type, 0)) return 0;
    chunk = std::move(out).str();
    *data = chunk.data();
    return static_cast<int32_t>(chunk.size());
  } catch (...) {
    return 0;
  }
}

int32_t QuorelVst::setChunk(void* data, int32_t size, bool isPreset) {
  if (!model_ || !data || size <= 0) return 0;
  try {
    std::string& chunk = isPreset ? presetChunk_ : bankChunk_;
    chunk.assign(static_cast<const char*>(data), static_cast<size_t>(size));
    std::istringstream in(chunk, std::ios::binary);
    CheckHost();
    return model_->LoadStreamFromHost(in, isPreset, false) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

std::string QuorelVst::GetPlugInProductString() {
  char text[256] = {};
  return getProductString(text) ? std::string(text) : std::string();
}

// The version file of the bundle folder beside the plug-in (empty without
// one).
std::string QuorelVst::GetPlugInBundleVersion() {
  HfcBundleRef bundle = HfcMacGetBundle();
  if (!bundle) return std::string();
  std::string version = bundle->version();
  bundle->Release();
  return version;
}

void QuorelVst::SetParameterAutomatedFromInt(int index, int value, int count, int minimum) {
  setParameterAutomated(index, CParameter::RegulateFromInt(value, count, minimum));
}
