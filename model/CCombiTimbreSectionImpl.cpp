#include "model/CCombiTimbreSectionImpl.h"

#include "model/ISectionHostEvents.h"

namespace {

constexpr int kGroupSwitch = 0x2B;

// Control change of each page-B knob assignment: "none", then the named
// controllers, control changes 0-95 and 102-119; 254 and 255 mean none.
int PageBControlChange(int assign) {
  static const unsigned char kNamed[] = {255, 17, 19, 20, 21, 254, 5,  7,  8,  10,
                                         11,  12, 13, 74, 71, 79,  73, 75, 70, 72,
                                         76,  77, 78, 80, 81, 82,  83, 93, 91};
  constexpr int kNamedCount = sizeof kNamed;  // 29
  int cc;
  if (assign < 0 || assign >= 144) return -1;
  if (assign < kNamedCount)
    cc = kNamed[assign];
  else if (assign < kNamedCount + 96)
    cc = assign - kNamedCount;
  else if (assign < kNamedCount + 96 + 18)
    cc = 102 + (assign - kNamedCount - 96);
  else
    cc = 0;
  return cc == 254 || cc == 255 ? -1 : cc;
}

}  // namespace

void CCombiTimbreSectionImpl::Init(IHostProxy* host, const TABLEDESC& table, int midiId, int idBase,
                                   std::uint8_t* block, unsigned size,
                                   const std::uint8_t* reference, Oskend::ISoundSection* sound,
                                   CRTCSectionImpl* rtc, Oskend::ISoundSection* combi, int index,
                                   IStringConverter* channelConverter) {
  m_combi = combi;
  m_channelConverter = channelConverter;
  CTimbreStdSectionImpl::Init(host, table, midiId, idBase, block, size, reference, sound, rtc,
                              index);
}

int CCombiTimbreSectionImpl::GetKnobControlChange(int knob) {
  static const int kFixed[] = {74, 71, 79, 72};
  if (knob >= 0 && knob < 4) return kFixed[knob];
  if (knob < 4 || knob > 7) return -1;
  // The page-B knobs are assigned through the combination; this product's
  // assignment table names PID 0 for all four.
  constexpr int kAssignPID = 0;
  Oskend::ISection* s = nullptr;
  int assign = m_combi != nullptr && m_combi->FindSectionByPID(kAssignPID, &s)
                   ? s->GetParamI(kAssignPID)
                   : 0;
  return PageBControlChange(assign);
}

int CCombiTimbreSectionImpl::GetGlobalParameter(int id) {
  Oskend::ISection* s = nullptr;
  if (m_combi == nullptr || !m_combi->FindSectionByPID(id, &s)) return -1;
  return s->GetParamI(id);
}

void CCombiTimbreSectionImpl::PutParamPropsChangedForTimbreParam(int id) {
  Oskend::ISection* s = nullptr;
  if (m_combi == nullptr || !m_combi->FindSectionByPID(id, &s)) return;
  if (auto* timbre = dynamic_cast<CTimbreStdSectionImpl*>(s))
    timbre->PostEvent(kEventPropsChanged, id);
}

void CCombiTimbreSectionImpl::OnParamChangedForTimbreProgNum(int id, int value, int old,
                                                             eChgSource source) {
  CTimbreStdSectionImpl::OnParamChanged(id, source);
}

void CCombiTimbreSectionImpl::OnParamChanged(int id, eChgSource source) {
  CTimbreStdSectionImpl::OnParamChanged(id, source);
  int index = id & 0xFF;
  if (index == 0x03) {
    PropsChanged(id, 0x05);
    PropsChanged(id, 0x06);
  }
  bool automatable =
      index == 0x02 || index == 0x3D || index == 0x3E || index == 0x3F || index == 0x44;
  if (automatable && id >= 0x200 && id <= 0x1100 && source == eChgSource_Reported) {
    if (auto* events = dynamic_cast<Oskend::ISectionHostEvents*>(Host()))
      events->NeedAutomationAPI(static_cast<short>(id), static_cast<short>(GetParamI(id)));
  }
}

bool CCombiTimbreSectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CTimbreStdSectionImpl::PrepareParamDesc(index, out)) return false;
  if (out->flags & PFLAG_OWNSTORAGE) {
    out->data = m_local;
    out->offset = 0;
  }
  if (out->id == -1) return true;
  int i = out->id & 0xFF;
  if ((i == 0x05 || i == 0x06) && X(out->id, 0x03) != 2) out->flags |= 3;
  if (i == 0x04 && m_channelConverter != nullptr) out->converter = m_channelConverter;
  return true;
}

void CCombiTimbreSectionImpl::OnReinitialized(const Oskend::SModeChangeInfo* info) {
  PostEvent(kEventReinitialized, 0);
  SetupControlChangeFilter(0x200 + m_index * 0x100);
}

bool CCombiTimbreSectionImpl::IsLastOfGroup(int id) {
  int page = (id >> 8) & 0xFF;
  int first;
  if (page >= 0x02 && page <= 0x07)
    first = 0x02;
  else if (page >= 0x08 && page <= 0x0D)
    first = 0x08;
  else
    return false;
  int on = 0;
  bool selfOn = false;
  for (int p = first; p < first + 6; ++p) {
    int pid = p << 8 | kGroupSwitch;
    Oskend::ISection* s = this;
    if (p != page && (m_combi == nullptr || !m_combi->FindSectionByPID(pid, &s))) continue;
    if (s->GetParamI(pid) != 0) {
      ++on;
      if (p == page) selfOn = true;
    }
  }
  return on == 1 && selfOn;
}

int CCombiTimbreSectionImpl::PutParamIEx(int id, int value, unsigned flags, eChgSource source) {
  int index = id & 0xFF;
  if (index == kGroupSwitch && value == 0 && IsLastOfGroup(id)) return 0;
  if (index == 0x00) {
    int old = GetParamI_AvoidToCallISectionsPrepareParamDesc(id);
    int result = CTimbreStdSectionImpl::PutParamIEx(id, value, flags & ~ISection::kNotify, source);
    if (flags & ISection::kNotify) OnParamChangedForTimbreProgNum(id, value, old, source);
    return result;
  }
  return CTimbreStdSectionImpl::PutParamIEx(id, value, flags, source);
}
