#include "model/COskendAutomatedFXSectionImpl.h"

#include <algorithm>

#include "model/OskendCRTCSectionImpl.h"

COskendAutomatedFXSectionImpl::COskendAutomatedFXSectionImpl(const TABLEDESC* types,
                                                             unsigned typeCount,
                                                             std::span<const std::uint8_t> defaults,
                                                             std::array<int, 6> automated,
                                                             bool hideWithoutEffect)
    : CFXSectionImpl(types, typeCount, defaults),
      m_automated(automated),
      m_hideWithoutEffect(hideWithoutEffect) {}

void COskendAutomatedFXSectionImpl::Init(IHostProxy* host, unsigned type, int midiId, int idBase,
                                         std::uint8_t* block, OskendCRTCSectionImpl* rtc) {
  m_rtc = rtc;
  CFXSectionImpl::Init(host, type, midiId, idBase, block);
}

bool COskendAutomatedFXSectionImpl::IsAutomated(int id) const {
  return std::find(m_automated.begin(), m_automated.end(), id) != m_automated.end();
}

void COskendAutomatedFXSectionImpl::OnParamChanged(int id, eChgSource source) {
  CFXSectionImpl::OnParamChanged(id, source);
  if (m_rtc != nullptr && IsAutomated(id)) m_rtc->PostEvent(kEventParamChanged, id);
}

bool COskendAutomatedFXSectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CFXSectionImpl::PrepareParamDesc(index, out)) return false;
  if (m_hideWithoutEffect && GetFXType() == 0 && IsAutomated(out->id)) out->flags |= PFLAG_HIDDEN;
  return true;
}
