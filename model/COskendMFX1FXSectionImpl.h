#pragma once
// The first master-effect slot: rate, depth and feedback are automated.
#include "model/COskendAutomatedFXSectionImpl.h"

class COskendMFX1FXSectionImpl : public COskendAutomatedFXSectionImpl {
 public:
  COskendMFX1FXSectionImpl();
};
