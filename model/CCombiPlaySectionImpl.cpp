#include "model/CCombiPlaySectionImpl.h"

#include "model/InitChunks.h"
#include "model/SectionTables.h"

void CCombiPlaySectionImpl::Init(IHostProxy* host, CRTCSectionImpl* rtc,
                                 Oskend::CHUNK_REMOTESYNTH image, Oskend::ISection* progPlay,
                                 Oskend::ISection* progEdit) {
  m_rtcBase = rtc;
  std::uint8_t* buffer = image ? image.GetCombiEditBuffer().data() : nullptr;
  Bind(host, Oskend::TABLEDESC_COMBIPLAY, 0, 0, buffer, buffer != nullptr ? kSize : 0,
       Oskend::INITCHUNK_COMBI().data());
}
