#include "model/OskendCProgEditSectionImpl.h"

#include <cstring>

#include "model/CIFXRouting.h"
#include "model/InitChunks.h"
#include "model/OskendCRTCSectionImpl.h"
#include "model/SectionTables.h"

namespace {

constexpr int kRouting = 0x0200;
constexpr int kMFX = 0x0800;
constexpr int kMFX1Type = 0x0800;
constexpr int kMFX2Type = 0x0801;
constexpr int kTFXType = 0x0B00;
}  // namespace

void OskendCProgEditSectionImpl::Init(IHostProxy* host, OskendCRTCSectionImpl* rtc,
                                      Oskend::ISection* progPlay, Oskend::CHUNK_REMOTESYNTH image) {
  m_rtc = rtc;
  m_rtcBase = rtc;
  InitSolo();
  m_editorState[2] = 0;
  m_osc.Init(host, kMidiId, progPlay, image);
  std::memset(m_savedPage0, 0, sizeof m_savedPage0);
  std::memset(m_page0, 0, sizeof m_page0);
  m_page0[1] = m_page0[25] = m_page0[29] = 0xFF;  // "PROG"
  std::uint8_t* buffer = image ? image.GetProgEditBuffer().data() : nullptr;
  Bind(host, Oskend::TABLEDESC_PROGEDIT, kMidiId, 0, buffer, buffer != nullptr ? kSize : 0,
       Oskend::INITCHUNK_PROG().data());
  m_fx.Init(host, kMidiId, 0x03, buffer, rtc);
}

int OskendCProgEditSectionImpl::GetOSCMode() {
  return Data() != nullptr ? Oskend::CHUNK_PROG(Data()).GetCommon().GetOSCMode() : 0;
}

Oskend::ISection* OskendCProgEditSectionImpl::SubSection(int id) {
  if (id < 0) return nullptr;
  int page = (id >> 8) & 0xFF;
  if (page >= kOSCFirstPage) return &m_osc;
  return m_fx.ByPage(page);
}

bool OskendCProgEditSectionImpl::FindSectionByPID(int id, Oskend::ISection** out) {
  Oskend::ISection* s = SubSection(id);
  if (s == nullptr) s = this;
  if (out != nullptr) *out = s;
  return true;
}

void OskendCProgEditSectionImpl::InitSolo() {
  m_editorState[0] = 0;
  m_editorState[1] = 0;
}

void OskendCProgEditSectionImpl::UpdateFXType() {
  m_fx.UpdateFXType(*this, kRouting, kMFX1Type, kTFXType);
}

void OskendCProgEditSectionImpl::OnReinitialized(const Oskend::SModeChangeInfo* info) {
  UpdateFXType();
  m_fx.OnReinitialized(info);
  PostEvent(kEventReinitialized, 0);
  m_osc.OnReinitialized(info);
  if (m_rtc != nullptr) m_rtc->OnReinitialized(info);
  std::memcpy(m_page0 + 2, m_savedPage0, sizeof m_savedPage0);
}

void OskendCProgEditSectionImpl::OnParamChangedForIFX(int typeId, eChgSource source) {
  for (int id : CIFXRouting::TypeChangedIds(typeId, kRouting, false))
    PostEvent(kEventPropsChanged, id);
}

void OskendCProgEditSectionImpl::OnParamChanged(int id, eChgSource source) {
  PostEvent(kEventParamChanged, id);
  if (id == kMFX1Type) {
    for (int i : {0x0801, 0x0803, 0x0805, 0x0806, 0x0808}) PostEvent(kEventPropsChanged, i);
    m_fx.MFX1().ApplyFXType(GetParamI(kMFX1Type));
  } else if (id == kMFX2Type) {
    m_fx.MFX2().ApplyFXType(GetParamI(kMFX2Type));
  } else if (id == kTFXType) {
    // The total effect starts from its own defaults.
    m_fx.TFX().ApplyFXType(GetParamI(kTFXType));
  } else if (id >= kRouting && id <= kRouting + 4) {
    m_fx.IFX(id - kRouting).ApplyFXType(GetParamI(id));
    OnParamChangedForIFX(id, source);
  } else {
    for (int i : CIFXRouting::ChainChangedIds(id, kRouting)) PostEvent(kEventPropsChanged, i);
  }
}

CIFXRouting::Reader OskendCProgEditSectionImpl::TypeReader() {
  return [this](int id) { return ReadPlain(id, false); };
}

void OskendCProgEditSectionImpl::DisableIFXParamByChainTo(int destination, SParamDesc* row) {
  CIFXRouting::DisableByChainTo(TypeReader(), kRouting, destination, row);
}

bool OskendCProgEditSectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CProgEditSectionImpl::PrepareParamDesc(index, out)) return false;
  int id = out->id;
  if (out->flags & PFLAG_PROGEDITBLOCK) {
    out->data = m_page0;
  } else if (out->flags & PFLAG_OWNSTORAGE) {
    int low = id & 0xFF;
    int slot = low == 0x0B ? 0 : low == 0x0C ? 1 : low == 0x0F ? 2 : -1;
    if (slot >= 0) {
      out->data = &m_editorState[slot];
      out->offset = 0;
    }
  }
  auto type = [this](int x) { return ReadPlain(x, false); };
  auto lockUnless = [out](bool keep) {
    if (!keep) out->flags |= 3;
  };
  int osc = GetOSCMode();
  switch (id) {
    case 0x0021:
    case 0x0022: lockUnless(osc == 1); return true;
    case 0x0104:
    case 0x0105: lockUnless(!(osc == 2 && ReadPlain(0x0106) != 0)); return true;
    case 0x0106: lockUnless(osc == 2); return true;
    case 0x0108:
    case 0x010A:
    case 0x010C: lockUnless(osc == 1); return true;
    case 0x0200: {
      int v = m_rtc != nullptr ? m_rtc->GetParamI(0x8029) : 0;
      out->max = v == -1 || v % 6 == 2 ? 63 : 61;
      return true;
    }
    case 0x0201:
    case 0x0202:
    case 0x0203:
      if (CIFXRouting::IsDouble(type(id - 1)))
        out->flags |= 6;
      else if (CIFXRouting::IsDouble(type(id + 1)))
        out->max = 63;
      return true;
    case 0x0204:
      if (CIFXRouting::IsDouble(type(0x0203))) out->flags |= 6;
      out->max = 63;
      return true;
    default: break;
  }
  CIFXRouting::Apply(TypeReader(), out, id, kRouting, kMFX);
  return true;
}

void OskendCProgEditSectionImpl::SendMIDIParam(const SParamDesc& row) {
  if (row.id < 0 || row.ptype == PTYPE_NONE || row.ptype == PTYPE_STRING) return;
  SendParamChange(row.id, CIFXRouting::SentValue(row, sectionrow::Raw(row), kRouting, kMFX));
}

void OskendCProgEditSectionImpl::OnRcvMIDIParam(int id, int value, eChgSource source) {
  if (Oskend::ISection* sub = SubSection(id)) {
    if (sub == &m_osc)
      m_osc.OnRcvMIDIParam(id, value, source);
    else
      static_cast<CFXSectionImpl*>(sub)->OnRcvMIDIParam(id, value, source);
    return;
  }
  if (((id >> 8) & 0xFF) == 0x00 && id >= 0) {
    CSectionImplBaseT::OnRcvMIDIParam(id, value, source);
    return;
  }
  SParamDesc row{};
  if (!GetParamDesc(id, &row) || row.ptype == PTYPE_NONE || row.ptype == PTYPE_STRING) return;
  // Stored even where the editor shows the row locked: the image follows
  // the hardware.
  sectionrow::PutRaw(row, CIFXRouting::ReceivedValue(id, value, row.flags, kRouting, kMFX));
  OnParamChanged(id, source);
}
