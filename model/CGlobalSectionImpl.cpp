#include "model/CGlobalSectionImpl.h"

#include <cstring>
#include <string>

#include "model/CRTCSectionImpl.h"
#include "model/InitChunks.h"
#include "model/SectionTables.h"
#include "model/XEUtils.h"

namespace {

constexpr int kCategoryFirst = static_cast<int>(0x90000000u);
constexpr int kExtCtl = static_cast<int>(0x80000403u);
constexpr int kBankMap = static_cast<int>(0x80000200u);

bool IsLockedGlobal(std::uint32_t id, bool standalone) {
  switch (id) {
    case 0x80000104u:
    case 0x80000106u:
    case 0x80000112u:
    case 0x80000201u:
    case 0x80000204u:
    case 0x80000400u: return true;
    case 0x80000402u: return standalone;
    default: return id >= 0x8000040Du && id <= 0x80000412u;
  }
}

}  // namespace

CGlobalSectionImpl::CGlobalSectionImpl() { std::memset(m_categories, ' ', sizeof m_categories); }

void CGlobalSectionImpl::Init(IHostProxy* host, CRTCSectionImpl* rtc,
                              Oskend::ISoundSection* progPlay, Oskend::ISoundSection* progEdit,
                              Oskend::ISoundSection* combi, Oskend::CHUNK_REMOTESYNTH image) {
  m_rtc = rtc;
  m_progPlay = progPlay;
  m_progEdit = progEdit;
  m_combi = combi;
  m_image = image;
  std::uint8_t* block = image ? image.GetGlobal().data() : nullptr;
  Bind(host, Oskend::TABLEDESC_GLOBAL, kMidiId, 0, block,
       block != nullptr ? static_cast<unsigned>(Oskend::CHUNK_GLOBAL::kSize) : 0,
       Oskend::INITCHUNK_GLOBAL().data());
  for (int k = 0; k < kCategoryCount; ++k) {
    std::string name;
    XEUtils::GetCategoryName(name, nullptr, eMode_ProgEdit, k, true);
    std::memcpy(m_categories[k], name.data(), std::min<size_t>(name.size(), kCategoryLength));
  }
}

bool CGlobalSectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CSectionImplBaseT::PrepareParamDesc(index, out)) return false;
  std::uint32_t id = static_cast<std::uint32_t>(out->id);
  int slot = out->id - kCategoryFirst;
  if (slot >= 0 && slot < kCategoryRows) {
    out->data = m_categories[slot];
    out->offset = 0;
  }
  if (IsLockedGlobal(id, Host() != nullptr && Host()->GetStandAlone())) out->flags |= 1;
  if (id >= 0x81000180u && id <= 0x81000183u) out->flags |= PFLAG_HIDDEN;
  return true;
}

void CGlobalSectionImpl::OnParamChanged(int id, eChgSource source) {
  PostEvent(kEventParamChanged, id);
  if (Host() == nullptr) return;
  if (id == kExtCtl) Host()->SetExtCtlState(static_cast<Oskend::MIDIClock>(GetParamI(id)));
  if (id == kBankMap) Host()->SetBankMap(static_cast<Oskend::BankMap>(GetParamI(id) != 0));
}

void CGlobalSectionImpl::OnReinitialized(const Oskend::SModeChangeInfo* info) {
  PostEvent(kEventReinitialized, 0);
  if (m_rtc != nullptr) m_rtc->OnReinitialized(info);
  if (Host() == nullptr || !m_image) return;
  Oskend::CHUNK_GLOBAL global = m_image.GetGlobal();
  Host()->SetExtCtlState(static_cast<Oskend::MIDIClock>(global.GetExtCtlState()));
  Host()->SetBankMap(static_cast<Oskend::BankMap>(global.GetBankMap() ? 1 : 0));
  if (Oskend::IRemoteMIDI* midi = Host()->GetRemoteMidi())
    midi->SetGlobalChannel(global.GetMIDIChannel());
  Host()->SetGlobalChannel(global.GetMIDIChannel());
}
