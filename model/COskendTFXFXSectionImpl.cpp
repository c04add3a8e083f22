#include "model/COskendTFXFXSectionImpl.h"

#include "fxcatalog/FxTypeLists.h"
#include "model/InitChunks.h"
#include "model/OskendCRTCSectionImpl.h"

namespace {
bool IsAutomated(int id) {
  for (int a : {0xC05, 0xC08, 0xC0B, 0x1C05, 0x1C08, 0x1C0B})
    if (id == a) return true;
  return false;
}
}  // namespace

COskendTFXFXSectionImpl::COskendTFXFXSectionImpl() : CFXSectionImpl(Oskend::TABLEARRAY_FX_TFX, Oskend::kTfxTypeCount, Oskend::VINITCHUNK_FX_TFX()) {}

void COskendTFXFXSectionImpl::Init(IHostProxy* host, unsigned type, int midiId, int idBase, std::uint8_t* block,
              OskendCRTCSectionImpl* rtc) {
  m_rtc = rtc;
  CFXSectionImpl::Init(host, type, midiId, idBase, block);
}

void COskendTFXFXSectionImpl::OnParamChanged(int id, eChgSource source) {
  CFXSectionImpl::OnParamChanged(id, source);
  if (m_rtc != nullptr && IsAutomated(id)) m_rtc->PostEvent(kEventParamChanged, id);
}
