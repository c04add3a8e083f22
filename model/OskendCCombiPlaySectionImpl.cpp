#include "model/OskendCCombiPlaySectionImpl.h"

#include "model/CIFXRouting.h"
#include "model/InitChunks.h"
#include "model/OskendCRTCSectionImpl.h"
#include "model/SectionTables.h"

namespace {

constexpr int kRouting = 0x1200;
constexpr int kMFX = 0x1800;
constexpr int kMFX1Type = 0x1800;
constexpr int kMFX2Type = 0x1801;
constexpr int kTFXType = 0x1B00;
constexpr int kTimbre0 = 0x0200;

int Page(int id) { return (id >> 8) & 0xFF; }

// Timbre-page ids that the combination keeps itself.
bool IsCombiOwnIndex(int index) { return index == 0x36 || index == 0x37 || index == 0x45; }

bool IsTimbreId(int id) {
  return id >= 0 && Page(id) >= 0x02 && Page(id) <= 0x11 && !IsCombiOwnIndex(id & 0xFF);
}

// The pans of the insert effects that sit on timbre pages, as the routing
// rows they stand for.
int RoutingEquivalent(int id) {
  switch (id) {
    case 0x0445: return 0x120A;
    case 0x0245: return 0x120B;
    case 0x0345: return 0x120C;
    case 0x0645: return 0x120D;
    case 0x0745: return 0x120E;
    default: return id;
  }
}

}  // namespace

OskendCCombiPlaySectionImpl::OskendCCombiPlaySectionImpl() : m_timbres(kTimbreCount) {}

void OskendCCombiPlaySectionImpl::Init(IHostProxy* host, OskendCRTCSectionImpl* rtc,
                                       Oskend::CHUNK_REMOTESYNTH image, Oskend::ISection* progPlay,
                                       Oskend::ISection* progEdit) {
  m_rtc = rtc;
  m_channelConverter.Init("Gch");
  std::uint8_t* buffer = image ? image.GetCombiEditBuffer().data() : nullptr;
  auto at = [buffer](unsigned offset) { return buffer != nullptr ? buffer + offset : nullptr; };
  m_fx.Init(host, 0, 0x13, buffer, rtc);
  auto* progEditSound = dynamic_cast<Oskend::ISoundSection*>(progEdit);
  for (int k = 0; k < kTimbreCount; ++k) {
    unsigned offset = 628 + 44 * static_cast<unsigned>(k);
    m_timbres.At(k)->Init(host, Oskend::TABLEDESC_COMBIPLAYTRK, 0, kTimbre0 + 0x100 * k, at(offset),
                          buffer != nullptr ? 44 : 0, Oskend::INITCHUNK_COMBI().data() + offset,
                          progEditSound, rtc, this, k, &m_channelConverter);
  }
  CCombiPlaySectionImpl::Init(host, rtc, image, progPlay, progEdit);
}

Oskend::ISection* OskendCCombiPlaySectionImpl::Route(int id, bool* routed) {
  *routed = true;
  if (id < 0 && static_cast<std::uint32_t>(id) < 0xFFFF0000u)
    return m_rtc != nullptr ? m_rtc->GetGlobalSection() : nullptr;
  if (CFXSectionImpl* fx = id >= 0 ? m_fx.ByPage(Page(id)) : nullptr) return fx;
  if (IsTimbreId(id)) return m_timbres.At(Page(id) - 2);
  *routed = false;
  return nullptr;
}

bool OskendCCombiPlaySectionImpl::FindSectionByPID(int id, Oskend::ISection** out) {
  bool routed;
  Oskend::ISection* s = Route(id, &routed);
  if (!routed) s = this;
  if (out != nullptr) *out = s;
  return s != nullptr;
}

int OskendCCombiPlaySectionImpl::GetGlobalParameter(int id) {
  Oskend::ISection* global = m_rtc != nullptr ? m_rtc->GetGlobalSection() : nullptr;
  return global != nullptr ? global->GetParamI(id) : -1;
}

void OskendCCombiPlaySectionImpl::InitSolo() {
  for (int k = 0; k < kTimbreCount; ++k) m_timbres.At(k)->InitSolo();
}

void OskendCCombiPlaySectionImpl::UpdateFXType() {
  m_fx.UpdateFXType(*this, kRouting, kMFX1Type, kTFXType);
}

void OskendCCombiPlaySectionImpl::OnReinitialized(const Oskend::SModeChangeInfo* info) {
  UpdateFXType();
  m_fx.OnReinitialized(info);
  for (int k = 0; k < kTimbreCount; ++k) m_timbres.At(k)->OnReinitialized(info);
  PostEvent(kEventReinitialized, 0);
  if (m_rtc != nullptr) m_rtc->OnReinitialized(info);
}

void OskendCCombiPlaySectionImpl::OnParamChanged(int id, eChgSource source) {
  PostEvent(kEventParamChanged, id);
  if (id == kTFXType) {
    // The total effect starts from its own defaults.
    m_fx.TFX().ApplyFXType(GetParamI(kTFXType));
  } else if (id == kMFX1Type) {
    for (int i : {0x1801, 0x1803, 0x1805, 0x180A, 0x1806, 0x1808}) PostEvent(kEventPropsChanged, i);
    m_fx.MFX1().ApplyFXType(GetParamI(kMFX1Type));
  } else if (id == kMFX2Type) {
    m_fx.MFX2().ApplyFXType(GetParamI(kMFX2Type));
  } else if (id >= kRouting && id <= kRouting + 4) {
    m_fx.IFX(id - kRouting).ApplyFXType(GetParamI(id));
    for (int i : CIFXRouting::TypeChangedIds(id, kRouting, true)) PostEvent(kEventPropsChanged, i);
  } else if (id >= 0 && (id & 0xFF) >= 0x36 && (id & 0xFF) <= 0x37 && Page(id) >= 0x02 &&
             Page(id) <= 0x0D) {
    // Timbres k and k + 6 share these values.
    PostEvent(kEventPropsChanged, Page(id) <= 0x07 ? id + 0x600 : id - 0x600);
  } else {
    for (int i : CIFXRouting::ChainChangedIds(id, kRouting)) PostEvent(kEventPropsChanged, i);
  }
}

CIFXRouting::Reader OskendCCombiPlaySectionImpl::TypeReader() {
  return [this](int id) { return ReadPlain(id, false); };
}

void OskendCCombiPlaySectionImpl::DisableIFXParamByChainTo(int destination, SParamDesc* row) {
  CIFXRouting::DisableByChainTo(TypeReader(), kRouting, destination, row);
}

bool OskendCCombiPlaySectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CCombiPlaySectionImpl::PrepareParamDesc(index, out)) return false;
  if (out->flags & PFLAG_OWNSTORAGE) {
    std::uint8_t* state = nullptr;
    switch (out->id & 0xFF) {
      case 0x09: state = m_state109; break;
      case 0x0A: state = m_state10A; break;
      case 0x0B: state = m_state10B; break;
      case 0x0C: state = m_state10C; break;
      default: break;
    }
    if (state != nullptr) {
      out->data = state;
      out->offset = 0;
    }
  }
  CIFXRouting::Apply(TypeReader(), out, RoutingEquivalent(out->id), kRouting, kMFX);
  return true;
}

void OskendCCombiPlaySectionImpl::SendMIDIParam(const SParamDesc& row) {
  if (row.ptype == PTYPE_NONE || row.ptype == PTYPE_STRING) return;
  bool mapped =
      (row.id >= 0x122C && row.id <= 0x122E) || row.id == kMFX1Type || row.id == kMFX2Type;
  if (row.id < 0 && !mapped) return;
  SendParamChange(row.id, CIFXRouting::SentValue(row, sectionrow::Raw(row), kRouting, kMFX));
}

void OskendCCombiPlaySectionImpl::OnRcvMIDIParam(int id, int value, eChgSource source) {
  bool routed;
  Oskend::ISection* sub = Route(id, &routed);
  if (routed) {
    if (auto* fx = dynamic_cast<CFXSectionImpl*>(sub))
      fx->OnRcvMIDIParam(id, value, source);
    else if (auto* timbre = dynamic_cast<CCombiTimbreSectionImpl*>(sub))
      timbre->OnRcvMIDIParam(id, value, source);
    return;
  }
  SParamDesc row{};
  if (!GetParamDesc(id, &row) || row.ptype == PTYPE_NONE || row.ptype == PTYPE_STRING) return;
  // Stored even where the editor shows the row locked: the image follows
  // the hardware.
  sectionrow::PutRaw(row, CIFXRouting::ReceivedValue(id, value, row.flags, kRouting, kMFX));
  OnParamChanged(id, source);
}
