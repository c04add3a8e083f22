#pragma once
// The second master-effect slot: time, level and feedback are automated.
#include "model/COskendAutomatedFXSectionImpl.h"

class COskendMFX2FXSectionImpl : public COskendAutomatedFXSectionImpl {
 public:
  COskendMFX2FXSectionImpl();
};
