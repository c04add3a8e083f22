#include "model/COskendMFX1FXSectionImpl.h"

#include "fxcatalog/FxTypeLists.h"
#include "model/InitChunks.h"
#include "model/OskendCRTCSectionImpl.h"

namespace {
bool IsAutomated(int id) {
  for (int a : {0x900, 0x901, 0x902, 0x1900, 0x1901, 0x1902})
    if (id == a) return true;
  return false;
}
}  // namespace

COskendMFX1FXSectionImpl::COskendMFX1FXSectionImpl() : CFXSectionImpl(Oskend::TABLEARRAY_FX_MFX1, Oskend::kMfxTypeCount, Oskend::VINITCHUNK_FX_MFX1()) {}

void COskendMFX1FXSectionImpl::Init(IHostProxy* host, unsigned type, int midiId, int idBase, std::uint8_t* block,
              OskendCRTCSectionImpl* rtc) {
  m_rtc = rtc;
  CFXSectionImpl::Init(host, type, midiId, idBase, block);
}

void COskendMFX1FXSectionImpl::OnParamChanged(int id, eChgSource source) {
  CFXSectionImpl::OnParamChanged(id, source);
  if (m_rtc != nullptr && IsAutomated(id)) m_rtc->PostEvent(kEventParamChanged, id);
}

bool COskendMFX1FXSectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CFXSectionImpl::PrepareParamDesc(index, out)) return false;
  // "No Effect" has nothing to show in the first three places.
  if (GetFXType() == 0 && IsAutomated(out->id)) out->flags |= PFLAG_HIDDEN;
  return true;
}
