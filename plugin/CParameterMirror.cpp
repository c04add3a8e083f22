#include "plugin/CParameterMirror.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "model/ISection.h"
#include "model/ISoundSection.h"
#include "model/ParamShownText.h"
#include "plugin/CParameter.h"

namespace {

void CopyCut(char* out, const char* text) {
  std::strncpy(out, text ? text : "", CParameterMirror::kTextMax);
  out[CParameterMirror::kTextMax] = 0;
}

}  // namespace

void CParameterMirror::Describe(Oskend::ISection* automation) {
  for (int i = 0; i < kCount; ++i) {
    Row& row = rows_[i];
    SParamDesc desc{};
    row.valid = automation && automation->GetParamDescByIndex(static_cast<unsigned>(i), &desc);
    if (!row.valid) continue;
    row.id = desc.id;
    row.min = desc.min;
    row.steps = desc.max + 1 - desc.min;
    CopyCut(row.name, desc.name);
    CopyCut(row.label, desc.label);
  }
}

void CParameterMirror::Publish(Oskend::ISection* automation, Oskend::ISoundSection* performance) {
  if (!automation) return;
  char texts[kCount][kTextMax + 1] = {};
  SParamDesc shown[kCount] = {};
  for (int i = 0; i < kCount; ++i) {
    const Row& row = rows_[i];
    if (!row.valid) continue;
    published_[i].store(CParameter::RegulateFromInt(automation->GetParamI(row.id), row.steps, row.min),
                        std::memory_order_release);
    // The text the editor shows, from the row as the parameter's own
    // section describes it now (an effect's parameters follow its type);
    // its converter lasts as long as the process.
    Oskend::ISection* owner = nullptr;
    const bool own = performance && performance->FindSectionByPID(row.id, &owner) && owner &&
                     owner->GetParamDesc(row.id, &shown[i]);
    const std::string text = Oskend::LongForm(own ? Oskend::ParamShownText(*owner, row.id)
                                                  : automation->GetParamS(row.id));
    CopyCut(texts[i], text.c_str());
  }
  std::lock_guard<os::Lock> g(textLock_);
  std::memcpy(texts_, texts, sizeof texts_);
  std::memcpy(shown_, shown, sizeof shown_);
}

bool CParameterMirror::PendingSetting(int index, Setting* setting) const {
  const uint64_t packed = set_[index].load(std::memory_order_acquire);
  const uint32_t stamp = StampOf(packed);
  if (stamp == 0 || stamp == applied_[index].load(std::memory_order_acquire)) return false;
  const auto bits = static_cast<uint32_t>(packed);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  *setting = {index, value, stamp};
  return true;
}

bool CParameterMirror::PendingStep(int index, int* step) const {
  Setting setting;
  if (!PendingSetting(index, &setting)) return false;
  if (step) *step = CParameter::QuantizeToInt(setting.value, rows_[index].steps, rows_[index].min);
  return true;
}

bool CParameterMirror::HasPending() const {
  for (int i = 0; i < kCount; ++i)
    if (rows_[i].valid && PendingStep(i, nullptr)) return true;
  return false;
}

int CParameterMirror::TakePending(Setting* out) const {
  int n = 0;
  for (int i = 0; i < kCount; ++i)
    if (rows_[i].valid && PendingSetting(i, &out[n])) ++n;
  // Oldest first; stamps are compared by their age, so the order holds
  // across the counter's wrap.
  const uint32_t now = nextStamp_.load(std::memory_order_acquire);
  std::sort(out, out + n, [now](const Setting& a, const Setting& b) {
    return now - a.stamp > now - b.stamp;
  });
  return n;
}

void CParameterMirror::MarkApplied(const Setting& setting) {
  if (setting.index < 0 || setting.index >= kCount) return;
  applied_[setting.index].store(setting.stamp, std::memory_order_release);
}

bool CParameterMirror::HasRow(int index) const {
  return index >= 0 && index < kCount && rows_[index].valid;
}

bool CParameterMirror::RangeOf(int index, Range* range) const {
  if (!HasRow(index)) return false;
  *range = {rows_[index].id, rows_[index].min, rows_[index].steps};
  return true;
}

void CParameterMirror::Set(int index, float value) {
  if (!HasRow(index)) return;
  uint32_t stamp;
  do {
    stamp = nextStamp_.fetch_add(1, std::memory_order_acq_rel) + 1;
  } while (stamp == 0);
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  set_[index].store((static_cast<uint64_t>(stamp) << 32) | bits, std::memory_order_release);
}

float CParameterMirror::Get(int index) const {
  if (!HasRow(index)) return 0.0f;
  if (const uint64_t told = told_[index].load(std::memory_order_acquire); told >> 32) {
    const auto bits = static_cast<uint32_t>(told);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  // Not yet in the image: the value it will have there.
  if (int step; PendingStep(index, &step))
    return CParameter::RegulateFromInt(step, rows_[index].steps, rows_[index].min);
  return published_[index].load(std::memory_order_acquire);
}

void CParameterMirror::Tell(int index, float value) {
  if (!HasRow(index)) return;
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  told_[index].store(uint64_t{1} << 32 | bits, std::memory_order_release);
}

void CParameterMirror::Told(int index) {
  if (HasRow(index)) told_[index].store(0, std::memory_order_release);
}

bool CParameterMirror::Name(int index, char* text) const {
  if (!HasRow(index)) return false;
  std::memcpy(text, rows_[index].name, kTextMax + 1);
  return true;
}

bool CParameterMirror::Label(int index, char* text) const {
  if (!HasRow(index)) return false;
  std::memcpy(text, rows_[index].label, kTextMax + 1);
  return true;
}

bool CParameterMirror::Display(int index, char* text) const {
  if (!HasRow(index)) return false;
  std::lock_guard<os::Lock> g(textLock_);
  // Not yet in the image: the text of the value it will hold there.
  if (int step; shown_[index].converter && PendingStep(index, &step)) {
    CopyCut(text, Oskend::LongForm(Oskend::ParamShownText(shown_[index], step)).c_str());
    return true;
  }
  std::memcpy(text, texts_[index], kTextMax + 1);
  return true;
}
