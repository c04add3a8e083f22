#pragma once
// A section that holds a whole sound, with the sub-sections that own parts
// of its parameter ids.
#include "model/ISection.h"

namespace Oskend {

class ISectionList;

class ISoundSection : public ISection {
 public:
  // The sub-section that owns the id's page; false (and null) when none.
  virtual bool FindSectionByPID(int id, ISection** out) = 0;
  virtual ISection* GetIFX1() = 0;
  virtual ISection* GetIFX2() = 0;
  virtual ISection* GetIFX3() = 0;
  virtual ISection* GetIFX4() = 0;
  virtual ISection* GetIFX5() = 0;
  virtual ISection* GetMFX1() = 0;
  virtual ISection* GetMFX2() = 0;
  virtual ISection* GetTFX() = 0;
  virtual ISection* GetOSC() = 0;
  virtual ISectionList* GetTrack() = 0;
};

}  // namespace Oskend
