#pragma once
// Generic base of the program play section.
#include "model/CSectionImplBaseT.h"
#include "model/ISoundSection.h"

class CProgPlaySectionImpl : public CSectionImplBaseT<CProgPlaySectionImpl, Oskend::ISoundSection> {
 public:
  bool FindSectionByPID(int id, Oskend::ISection** out) override {
    if (out != nullptr) *out = this;
    return true;
  }
  Oskend::ISection* GetIFX1() override { return nullptr; }
  Oskend::ISection* GetIFX2() override { return nullptr; }
  Oskend::ISection* GetIFX3() override { return nullptr; }
  Oskend::ISection* GetIFX4() override { return nullptr; }
  Oskend::ISection* GetIFX5() override { return nullptr; }
  Oskend::ISection* GetMFX1() override { return nullptr; }
  Oskend::ISection* GetMFX2() override { return nullptr; }
  Oskend::ISection* GetTFX() override { return nullptr; }
  Oskend::ISection* GetOSC() override { return nullptr; }
  Oskend::ISectionList* GetTrack() override { return nullptr; }
  virtual void InitSolo() {}

 protected:
  Oskend::ISection* m_link = nullptr;
};
