#include "model/OskendCRTCSectionImpl.h"

#include <cstring>

#include "model/CTimbreStdSectionImpl.h"
#include "model/ISectionList.h"

namespace {

constexpr int kPage = 0x8000;
constexpr int kKnobFirst = 0x8001;
constexpr int kKnobLast = 0x8006;
constexpr int kGroup = 0x8026;
constexpr int kGroupOn = 0x8027;
constexpr int kEditState1 = 0x8029;
constexpr int kEditState2 = 0x802A;

// Reads or writes a PID through the sound section that owns it.
Oskend::ISection* Owner(Oskend::ISoundSection* sound, int pid) {
  Oskend::ISection* s = nullptr;
  if (sound == nullptr || !sound->FindSectionByPID(pid, &s)) return nullptr;
  return s;
}

}  // namespace

void OskendCRTCSectionImpl::InitRTCStat() { std::memset(m_stat.knobs, 64, sizeof m_stat.knobs); }

bool OskendCRTCSectionImpl::IsCombiMode() {
  int m = Host() != nullptr ? Host()->GetRemoteMode() : eMode_None;
  return m == 0 || m == 1;
}

bool OskendCRTCSectionImpl::IsProgMode() {
  int m = Host() != nullptr ? Host()->GetRemoteMode() : eMode_None;
  return m == 2 || m == 3;
}

int OskendCRTCSectionImpl::GetMIDIChannelHelper() {
  Oskend::IRemoteMIDI* midi = Host() != nullptr ? Host()->GetRemoteMidi() : nullptr;
  return midi != nullptr ? (midi->GetGlobalChannel() & 15) : 0;
}

int OskendCRTCSectionImpl::ReadCombi(int pid) {
  Oskend::ISection* s = Owner(m_combi, pid);
  return s != nullptr ? s->GetParamI(pid) : 0;
}

int OskendCRTCSectionImpl::WriteCombi(int pid, int value, unsigned flags, eChgSource source) {
  Oskend::ISection* s = Owner(m_combi, pid);
  return s != nullptr ? s->PutParamIEx(pid, value, flags, source) : 0;
}

bool OskendCRTCSectionImpl::IsPanelId(int id) { return id >= 0x8011 && id <= 0x8025; }

Oskend::ISection* OskendCRTCSectionImpl::GetTargetSectionAndPIdx(int page, int index, int* pid,
                                                                 int kind) {
  *pid = -1;
  Oskend::ISoundSection* sound = nullptr;
  if (IsCombiMode()) {
    sound = m_combi;
    int g = GetParamI(kGroup);
    int timbre = (g * 6 + index) << 8;
    if (kind == kPanelGroupSwitch) {
      *pid = timbre + 0x22B;
    } else if (kind == kPanelKnob) {
      static const int kKnobIndex[] = {-1, 0x202, 0x20D, 0x236, 0x237};
      if (page >= 1 && page <= 4) *pid = timbre + kKnobIndex[page];
    } else if (kind == kPanelFX) {
      *pid = page << 8 | index;
    }
  } else if (IsProgMode()) {
    sound = m_progEdit;
    if (kind == kPanelKnob) {
      if (index == 3) *pid = 0x214;
      if (index == 4) *pid = 0x219;
    } else if (kind == kPanelFX) {
      // The program's effect pages lie 0x10 below the combination's.
      *pid = (page - 0x10) << 8 | index;
    }
  }
  if (*pid < 0) return nullptr;
  Oskend::ISection* target = Owner(sound, *pid);
  if (target == nullptr) *pid = -1;
  return target;
}

Oskend::ISection* OskendCRTCSectionImpl::PanelTarget(int id, int* pid) {
  *pid = -1;
  if (id >= 0x8017 && id <= 0x801C)
    return GetTargetSectionAndPIdx(0, id - 0x8017, pid, kPanelGroupSwitch);
  if (id >= 0x8011 && id <= 0x8016)
    return GetTargetSectionAndPIdx(GetParamI(kPage), id - 0x8011, pid, kPanelKnob);
  if (id >= 0x801D && id <= 0x8025) {
    static const int kPages[] = {0x19, 0x1A, 0x1C};
    static const int kIndex[] = {0, 1, 2, 0, 2, 1, 5, 8, 11};
    int n = id - 0x801D;
    return GetTargetSectionAndPIdx(kPages[n / 3], kIndex[n], pid, kPanelFX);
  }
  return nullptr;
}

int OskendCRTCSectionImpl::GetParamI(int id) {
  int pid;
  switch (id) {
    case kPage:
      if (IsProgMode()) {
        Oskend::ISection* s = Owner(m_progEdit, 0x10F);
        return s != nullptr ? s->GetParamI(0x10F) : 0;
      }
      return IsCombiMode() ? ReadCombi(0x10B) : 0;
    case kGroup: return GetParamI(kGroupOn) != 0 ? ReadCombi(0x10C) : 0;
    case kGroupOn: return IsCombiMode() ? ReadCombi(0x108) : 0;
    case kEditState1: return ReadCombi(0x10A);
    case kEditState2: return ReadCombi(0x109);
    default: break;
  }
  if (IsPanelId(id)) {
    if (Oskend::ISection* target = PanelTarget(id, &pid)) return target->GetParamI(pid);
  }
  return CRTCSectionImpl::GetParamI(id);
}

bool OskendCRTCSectionImpl::GetParamDesc(int id, SParamDesc* out) {
  int pid;
  if (IsPanelId(id)) {
    if (Oskend::ISection* target = PanelTarget(id, &pid)) return target->GetParamDesc(pid, out);
  }
  return CRTCSectionImpl::GetParamDesc(id, out);
}

int OskendCRTCSectionImpl::PutParamIEx(int id, int value, unsigned flags, eChgSource source) {
  int result = 0;
  int pid;
  switch (id) {
    case kPage:
      if (IsProgMode()) {
        if (Oskend::ISection* s = Owner(m_progEdit, 0x10F))
          result = s->PutParamIEx(0x10F, value, flags, source);
      } else if (IsCombiMode()) {
        result = WriteCombi(0x10B, value, flags, source);
      }
      OnReinitialized(nullptr);
      return result;
    case kGroup:
    case kGroupOn:
      if (IsCombiMode()) result = WriteCombi(id == kGroup ? 0x10C : 0x108, value, flags, source);
      OnReinitialized(nullptr);
      return result;
    case kEditState1: return WriteCombi(0x10A, value, flags, source);
    case kEditState2: return WriteCombi(0x109, value, flags, source);
    default: break;
  }
  if (IsPanelId(id)) {
    if (Oskend::ISection* target = PanelTarget(id, &pid))
      return target->PutParamIEx(pid, value, flags, source);
  }
  return CRTCSectionImpl::PutParamIEx(id, value, flags, source);
}

std::string OskendCRTCSectionImpl::PutParamSEx(int id, const char* text, unsigned flags,
                                               eChgSource source) {
  std::string result = CRTCSectionImpl::PutParamSEx(id, text, 0, source);
  PutParamIEx(id, GetParamI(id), flags, source);
  return result;
}

bool OskendCRTCSectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CRTCSectionImpl::PrepareParamDesc(index, out)) return false;
  if (out->id >= kKnobFirst && out->id <= kKnobLast) {
    // Knob values live in the per-channel state: the first channel's row,
    // or the global channel's in multi mode.
    int channel =
        Host() != nullptr && Host()->GetRemoteVirtualMode() == 4 ? GetMIDIChannelHelper() : 0;
    out->offset -= 1;
    out->data = m_stat.knobs + channel * Oskend::RTCSTAT::kKnobs;
  }
  return true;
}

void OskendCRTCSectionImpl::OnRcvMIDICC(std::uint8_t status, std::uint8_t cc, std::uint8_t value,
                                        eChgSource source) {
  int channel = status & 15;
  int global = GetMIDIChannelHelper();
  if (channel == global) {
    static const int kKnobCC[] = {74, 71, 79, 72};
    for (int k = 0; k < 4; ++k)
      if (cc == kKnobCC[k]) PutParamIEx(kKnobFirst + k, value, ISection::kNotify, source);
  }
  int virtualMode = Host() != nullptr ? Host()->GetRemoteVirtualMode() : -1;
  if ((virtualMode != 0 && virtualMode != 1) || m_combi == nullptr) return;
  Oskend::ISectionList* timbres = m_combi->GetTrack();
  unsigned count = timbres != nullptr ? timbres->GetCount() : 0;
  auto timbreChannel = [&](int page) {
    int ch = ReadCombi(page | 0x04);
    return ch == 16 ? global : ch;
  };

  int index = -1;
  int v = value;
  switch (cc) {
    case 5: index = 0x0A; break;
    case 10:
      index = 0x01;
      if (v < 1) v = 1;
      break;
    case 91: index = 0x37; break;
    case 93: index = 0x36; break;
    default: break;
  }
  if (index >= 0) {
    for (unsigned t = 0; t < count; ++t) {
      int page = 0x200 + static_cast<int>(t) * 0x100;
      if (ReadCombi(page | 0x03) != 1) continue;
      if (cc == 5 && ReadCombi(page | 0x0A) == -1) continue;
      auto* timbre = dynamic_cast<CTimbreStdSectionImpl*>(timbres->GetAt(t));
      if (timbreChannel(page) == channel && timbre != nullptr && timbre->IsEnableControlChange(cc))
        WriteCombi(page | index, v, ISection::kNotify, source);
    }
  }

  if (cc == 8) {
    for (int k = 0; k < 5; ++k) {
      int route = ReadCombi(0x122F + k);
      bool taken = false;
      if (route == 17) {
        for (unsigned t = 0; t < count && !taken; ++t)
          taken = timbreChannel(0x200 + static_cast<int>(t) * 0x100) == channel;
      } else {
        taken = (route == 16 ? global : route) == channel;
      }
      if (taken)
        WriteCombi(0x120A + k, value, ISection::kNotify | ISection::kForceLocked,
                   eChgSource_SynthMIDI);
    }
  }
}
