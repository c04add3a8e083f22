// What the host reads and writes besides MIDI: the 71 automation
// parameters, the program names and the state chunks.
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "model/ISection.h"
#include "platform/HfcBundle.h"
#include "plugin/CMidiFifo.h"
#include "plugin/CParameter.h"
#include "plugin/QuorelVst.h"
#include "remote/FTYPE.h"
#include "remote/IRemoteSynth.h"
#include "remote/Persist.h"

namespace {

constexpr const char* kNotAvailable = "Not available";

}  // namespace

float QuorelVst::getParameter(int32_t index) { return parameters_.Get(index); }

void QuorelVst::setParameter(int32_t index, float value) {
  // Whichever thread calls (the audio thread too): noted for the main
  // thread, which owns the image, and never waited for.
  if (!parameters_.HasRow(index)) return;
  parameters_.Set(index, value);
  workerWake_.Signal();
}

void QuorelVst::WriteParameter(int32_t index, float value) {
  Oskend::ISection* s = model_ ? model_->GetAutomation() : nullptr;
  SParamDesc row{};
  if (!s || index < 0 || !s->GetParamDescByIndex(static_cast<unsigned>(index), &row)) return;
  const int v = CParameter::QuantizeToInt(value, row.max + 1 - row.min, row.min);
  if (v != s->GetParamI(row.id)) s->PutParamI(row.id, v);
}

void QuorelVst::getParameterName(int32_t index, char* text) { parameters_.Name(index, text); }

void QuorelVst::getParameterLabel(int32_t index, char* text) { parameters_.Label(index, text); }

void QuorelVst::getParameterDisplay(int32_t index, char* text) { parameters_.Display(index, text); }

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
    // Only the kinds a chunk of this plug-in holds (a bank, a program or a
    // performance, bare or in a VST container); anything else is refused
    // before the model sees it. A chunk cut short fails in the model's
    // reader, which changes nothing unless the whole chunk is good.
    Oskend::FTYPE type = Oskend::FTYPE::None;
    if (!Oskend::PersistFindStreamType(in, &type, nullptr) ||
        (type != Oskend::FTYPE::Bank && type != Oskend::FTYPE::Prog && type != Oskend::FTYPE::Combi))
      return 0;
    in.clear();
    in.seekg(0);
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
  if (!parameters_.HasRow(index)) return;
  // The host hears of every edit inside an edit gesture: a knob that is
  // being turned has one open already, any other edit gets its own.
  const bool ownGesture = gestures_[static_cast<size_t>(index)] == 0;
  if (ownGesture) beginEdit(index);
  setParameterAutomated(index, CParameter::RegulateFromInt(value, count, minimum));
  if (ownGesture) endEdit(index);
}

void QuorelVst::BeginParameterEdit(int index) {
  if (!parameters_.HasRow(index)) return;
  ++gestures_[static_cast<size_t>(index)];
  beginEdit(index);
}

void QuorelVst::EndParameterEdit(int index) {
  if (!parameters_.HasRow(index) || gestures_[static_cast<size_t>(index)] == 0) return;
  --gestures_[static_cast<size_t>(index)];
  endEdit(index);
}
