#pragma once
// The eight effect slots of a program or a combination: five insert
// effects, two master effects and the total effect, bound to their blocks
// in the sound's edit buffer and to consecutive PID pages.
#include <cstdint>

#include "model/CFXSectionImpl.h"
#include "model/COskendMFX1FXSectionImpl.h"
#include "model/COskendMFX2FXSectionImpl.h"
#include "model/COskendTFXFXSectionImpl.h"

class COskendFXSlots {
 public:
  // firstPage: the page of IFX1 (0x03 program, 0x13 combination); the
  // master effects follow at + 6 and + 7, the total effect at + 9.
  void Init(IHostProxy* host, int midiId, int firstPage, std::uint8_t* buffer,
            OskendCRTCSectionImpl* rtc);
  // The slot that owns a page, or null.
  CFXSectionImpl* ByPage(int page);
  // Re-types every slot from the sound's type rows.
  void UpdateFXType(Oskend::ISection& sound, int ifxTypeId, int mfxTypeId, int tfxTypeId);
  void OnReinitialized(const Oskend::SModeChangeInfo* info);

  CFXSectionImpl& IFX(int k) { return m_ifx[k]; }
  COskendMFX1FXSectionImpl& MFX1() { return m_mfx1; }
  COskendMFX2FXSectionImpl& MFX2() { return m_mfx2; }
  COskendTFXFXSectionImpl& TFX() { return m_tfx; }

 private:
  int m_firstPage = 0;
  CFXSectionImpl m_ifx[5];
  COskendMFX1FXSectionImpl m_mfx1;
  COskendMFX2FXSectionImpl m_mfx2;
  COskendTFXFXSectionImpl m_tfx;
};
