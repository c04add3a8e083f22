#include "spare/CHfcAudioPlugin.h"

#include "platform/HfcMemory.h"

CHfcAudioPlugin::~CHfcAudioPlugin() { HfcMemFree(listeners_); }

int CHfcAudioPlugin::AddListener(CHfcAudioPluginListener* listener) {
  void* grown = HfcMemRealloc(listeners_, sizeof(CHfcAudioPluginListener*) * (count_ + 1));
  if (!grown) return 0;
  listeners_ = static_cast<CHfcAudioPluginListener**>(grown);
  listeners_[count_++] = listener;
  return 1;
}

int CHfcAudioPlugin::RemoveListener(CHfcAudioPluginListener* listener) {
  for (long i = 0; i < count_; ++i) {
    if (listeners_[i] != listener) continue;
    for (long j = i + 1; j < count_; ++j) listeners_[j - 1] = listeners_[j];
    --count_;
    // Entries below a round's position are still to be called there; they
    // moved down by one.
    for (Cursor* c = cursors_; c; c = c->outer)
      if (i < c->position) --c->position;
    return 1;
  }
  return 0;
}

void CHfcAudioPlugin::SetParameterAutoFloat(long type, long index, float value, long flags) {
  Notify([&](CHfcAudioPluginListener* l) {
    l->OnHfcAudioPluginSetParameterAutoFloat(this, type, index, value, flags);
  });
}

void CHfcAudioPlugin::PostSetParameterFloat(long type, long index, float value, long flags) {
  Notify([&](CHfcAudioPluginListener* l) {
    l->OnHfcAudioPluginFloatValueChanged(this, type, index, value, flags);
  });
}

void CHfcAudioPlugin::SetParameterAutoInt(long type, long index, long value, long flags) {
  Notify([&](CHfcAudioPluginListener* l) {
    l->OnHfcAudioPluginSetParameterAutoInt(this, type, index, value, flags);
  });
}

void CHfcAudioPlugin::PostSetParameterInt(long type, long index, long value, long flags) {
  Notify([&](CHfcAudioPluginListener* l) {
    l->OnHfcAudioPluginIntValueChanged(this, type, index, value, flags);
  });
}

void CHfcAudioPlugin::SetParameterAutoPtr(long type, long index, void* value, long flags) {
  Notify([&](CHfcAudioPluginListener* l) {
    l->OnHfcAudioPluginSetParameterAutoPtr(this, type, index, value, flags);
  });
}

void CHfcAudioPlugin::PostSetParameterPtr(long type, long index, void* value, long flags) {
  Notify([&](CHfcAudioPluginListener* l) {
    l->OnHfcAudioPluginPtrValueChanged(this, type, index, value, flags);
  });
}

void CHfcAudioPlugin::PostSetProgramIndex(long index) {
  Notify([&](CHfcAudioPluginListener* l) { l->OnHfcAudioPluginProgramIndexChanged(this, index); });
}

void CHfcAudioPlugin::PostSetProgramData(void* data, long size) {
  Notify([&](CHfcAudioPluginListener* l) { l->OnHfcAudioPluginProgramDataSet(this, data, size); });
}

void CHfcAudioPlugin::PostSetProgramName(const char* name) {
  Notify([&](CHfcAudioPluginListener* l) { l->OnHfcAudioPluginProgramNameChanged(this, name); });
}

void CHfcAudioPlugin::PostSetBankIndex(long index) {
  Notify([&](CHfcAudioPluginListener* l) { l->OnHfcAudioPluginBankIndexChanged(this, index); });
}

void CHfcAudioPlugin::PostSetBankData(void* data, long size) {
  Notify([&](CHfcAudioPluginListener* l) { l->OnHfcAudioPluginBankDataSet(this, data, size); });
}

void CHfcAudioPlugin::Idle() {
  Notify([&](CHfcAudioPluginListener* l) { l->OnHfcAudioPluginIdle(this); });
}
