#include "model/COskendMFX2FXSectionImpl.h"

#include "fxcatalog/FxTypeLists.h"
#include "model/InitChunks.h"
#include "model/OskendCRTCSectionImpl.h"

namespace {
bool IsAutomated(int id) {
  for (int a : {0xA00, 0xA01, 0xA02, 0x1A00, 0x1A01, 0x1A02})
    if (id == a) return true;
  return false;
}
}  // namespace

COskendMFX2FXSectionImpl::COskendMFX2FXSectionImpl() : CFXSectionImpl(Oskend::TABLEARRAY_FX_MFX2, Oskend::kMfxTypeCount, Oskend::VINITCHUNK_FX_MFX2()) {}

void COskendMFX2FXSectionImpl::Init(IHostProxy* host, unsigned type, int midiId, int idBase, std::uint8_t* block,
              OskendCRTCSectionImpl* rtc) {
  m_rtc = rtc;
  CFXSectionImpl::Init(host, type, midiId, idBase, block);
}

void COskendMFX2FXSectionImpl::OnParamChanged(int id, eChgSource source) {
  CFXSectionImpl::OnParamChanged(id, source);
  if (m_rtc != nullptr && IsAutomated(id)) m_rtc->PostEvent(kEventParamChanged, id);
}

bool COskendMFX2FXSectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CFXSectionImpl::PrepareParamDesc(index, out)) return false;
  // "No Effect" has nothing to show in the first three places.
  if (GetFXType() == 0 && IsAutomated(out->id)) out->flags |= PFLAG_HIDDEN;
  return true;
}
