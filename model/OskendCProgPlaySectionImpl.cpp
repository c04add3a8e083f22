#include "model/OskendCProgPlaySectionImpl.h"

#include "model/InitChunks.h"
#include "model/OskendCRTCSectionImpl.h"
#include "model/SectionTables.h"

void OskendCProgPlaySectionImpl::Init(IHostProxy* host, OskendCRTCSectionImpl* rtc,
                                      Oskend::ISection* progEdit, Oskend::CHUNK_REMOTESYNTH image) {
  InitSolo();
  m_rtc = rtc;
  std::uint8_t* buffer = image ? image.GetProgEditBuffer().data() : nullptr;
  Bind(host, Oskend::TABLEDESC_PROGPLAY, 2, 0, buffer,
       buffer != nullptr ? static_cast<unsigned>(Oskend::CHUNK_PROG::kSize) : 0,
       Oskend::INITCHUNK_PROG().data());
}

int OskendCProgPlaySectionImpl::GetOSCMode() {
  return Data() != nullptr ? Oskend::CHUNK_PROG(Data()).GetCommon().GetOSCMode() : -1;
}

void OskendCProgPlaySectionImpl::OnReinitialized(const Oskend::SModeChangeInfo* info) {
  PostEvent(kEventReinitialized, 0);
  if (m_rtc != nullptr) m_rtc->OnReinitialized(info);
}
