#pragma once
// Generic base of the program play section.
#include "model/CSectionImplBaseT.h"
#include "model/ISoundSection.h"

class CProgPlaySectionImpl : public CSectionImplBaseT<CProgPlaySectionImpl, Oskend::ISoundSection> {
 public:
  virtual void InitSolo() {}

 protected:
  Oskend::ISection* m_link = nullptr;
};
