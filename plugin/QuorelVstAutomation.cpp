#include "plugin/QuorelVstAutomation.h"

#include "model/ISection.h"
#include "plugin/AudioEffectX.h"
#include "plugin/CParameter.h"
#include "remote/IRemoteSynth.h"

namespace {

// Rows that an edit of another row moves along with it: the master
// effects' parameters follow their type.
struct MovesWith {
  int row;
  int first;
  int last;
};
constexpr MovesWith kMovesWith[] = {{60, 61, 63}, {64, 65, 67}};

}  // namespace

// ------------------------------------------------------------ loop thread

void QuorelVstAutomation::Start(Oskend::IRemoteSynth* model) {
  model_ = model;
  parameters_.Describe(model_ ? model_->GetAutomation() : nullptr);
  Publish();
  OnHostRereads();
}

int QuorelVstAutomation::WriteSettings(Setting* taken) {
  const int n = parameters_.TakePending(taken);
  for (int i = 0; i < n; ++i) WriteParameter(taken[i].index, taken[i].value);
  return n;
}

void QuorelVstAutomation::WriteParameter(int32_t index, float value) {
  Oskend::ISection* s = model_ ? model_->GetAutomation() : nullptr;
  CParameterMirror::Range range{};
  if (!s || !parameters_.RangeOf(index, &range)) return;
  const int v = CParameter::QuantizeToInt(value, range.steps, range.min);
  if (v != s->GetParamI(range.id)) s->PutParamI(range.id, v);
}

void QuorelVstAutomation::MarkApplied(const Setting* taken, int n) {
  for (int i = 0; i < n; ++i) {
    parameters_.MarkApplied(taken[i]);
    // What the image took of it (it may hold less than the host set, when
    // the row's own range is narrower now) is not told back: the host
    // made the setting.
    CParameterMirror::Range range{};
    if (parameters_.RangeOf(taken[i].index, &range))
      known_[static_cast<size_t>(taken[i].index)] = ImageValue(range);
  }
}

void QuorelVstAutomation::Publish() {
  if (model_) parameters_.Publish(model_->GetAutomation(), model_->GetEditBuffer(0));
}

void QuorelVstAutomation::OnHostRereads() {
  for (int i = 0; i < kCount; ++i) {
    CParameterMirror::Range range{};
    known_[static_cast<size_t>(i)] = parameters_.RangeOf(i, &range) ? ImageValue(range) : kUnknown;
  }
}

int QuorelVstAutomation::ImageValue(const CParameterMirror::Range& range) const {
  Oskend::ISection* s = model_ ? model_->GetAutomation() : nullptr;
  return s ? s->GetParamI(range.id) : kUnknown;
}

void QuorelVstAutomation::BeginGesture(int index) {
  // The host hears of the touch at the press, whether or not the value
  // then changes (hosts that record touch automation need it).
  if (HasRow(index) && gestures_[static_cast<size_t>(index)]++ == 0) effect_.beginEdit(index);
}

void QuorelVstAutomation::EndGesture(int index) {
  if (!HasRow(index)) return;
  int& open = gestures_[static_cast<size_t>(index)];
  if (open == 0 || --open > 0) return;
  effect_.endEdit(index);
}

void QuorelVstAutomation::EndAllGestures() {
  for (int i = 0; i < kCount; ++i) {
    int& open = gestures_[static_cast<size_t>(i)];
    if (open == 0) continue;
    open = 1;
    EndGesture(i);
  }
}

void QuorelVstAutomation::ReportEdit(int index) {
  if (!HasRow(index)) return;
  Report(index);
  // A master effect's type sets its parameters to the new type's defaults:
  // the host hears of those that moved too, each as its own edit (inside
  // a gesture of its own when one is open).
  for (const MovesWith& m : kMovesWith)
    if (m.row == index)
      for (int i = m.first; i <= m.last; ++i) Report(i);
}

bool QuorelVstAutomation::HostHoldsAnOldValue() const {
  for (int i = 0; i < kCount; ++i) {
    CParameterMirror::Range range{};
    if (gestures_[static_cast<size_t>(i)] > 0 || !parameters_.RangeOf(i, &range)) continue;
    const int v = ImageValue(range);
    if (v != kUnknown && v != known_[static_cast<size_t>(i)]) return true;
  }
  return false;
}

void QuorelVstAutomation::Report(int index) {
  CParameterMirror::Range range{};
  if (!parameters_.RangeOf(index, &range)) return;
  const int v = ImageValue(range);
  int& known = known_[static_cast<size_t>(index)];
  if (v == kUnknown || v == known) return;
  known = v;
  // Outside a gesture of the editor's (a browser, a pop-up) the edit is a
  // gesture of its own.
  const bool own = gestures_[static_cast<size_t>(index)] == 0;
  if (own) effect_.beginEdit(index);
  effect_.setParameterAutomated(index, CParameter::RegulateFromInt(v, range.steps, range.min));
  if (own) effect_.endEdit(index);
}

// ------------------------------------------------------------ worker thread

bool QuorelVstAutomation::ClaimApplyNotice() {
  if (!parameters_.HasPending()) return false;
  return !applyPosted_.exchange(true, std::memory_order_acq_rel);
}
