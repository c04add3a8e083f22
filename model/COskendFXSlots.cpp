#include "model/COskendFXSlots.h"

namespace {
// Offsets of the slots' parameter blocks in a program or combination.
constexpr unsigned kIFXBlock[5] = {24, 100, 176, 252, 328};
constexpr unsigned kMFX1Block = 404, kMFX2Block = 472, kTFXBlock = 544;
}  // namespace

void COskendFXSlots::Init(IHostProxy* host, int midiId, int firstPage, std::uint8_t* buffer,
                          OskendCRTCSectionImpl* rtc) {
  m_firstPage = firstPage;
  auto at = [buffer](unsigned offset) { return buffer != nullptr ? buffer + offset : nullptr; };
  for (int k = 0; k < 5; ++k)
    m_ifx[k].Init(host, 0, midiId, (firstPage + k) << 8, at(kIFXBlock[k]));
  m_mfx1.Init(host, 0, midiId, (firstPage + 6) << 8, at(kMFX1Block), rtc);
  m_mfx2.Init(host, 0, midiId, (firstPage + 7) << 8, at(kMFX2Block), rtc);
  m_tfx.Init(host, 0, midiId, (firstPage + 9) << 8, at(kTFXBlock), rtc);
}

CFXSectionImpl* COskendFXSlots::ByPage(int page) {
  int k = page - m_firstPage;
  if (k >= 0 && k < 5) return &m_ifx[k];
  if (k == 6) return &m_mfx1;
  if (k == 7) return &m_mfx2;
  if (k == 9) return &m_tfx;
  return nullptr;
}

void COskendFXSlots::UpdateFXType(Oskend::ISection& sound, int ifxTypeId, int mfxTypeId,
                                  int tfxTypeId) {
  for (int n = 0; n < 5; ++n) m_ifx[n].InitFXType(sound.GetParamI(ifxTypeId + n));
  m_mfx1.InitFXType(sound.GetParamI(mfxTypeId));
  m_mfx2.InitFXType(sound.GetParamI(mfxTypeId + 1));
  m_tfx.InitFXType(sound.GetParamI(tfxTypeId));
}

void COskendFXSlots::OnReinitialized(const Oskend::SModeChangeInfo* info) {
  for (CFXSectionImpl& ifx : m_ifx) ifx.OnReinitialized(info);
  m_mfx1.OnReinitialized(info);
  m_mfx2.OnReinitialized(info);
  m_tfx.OnReinitialized(nullptr);
}
