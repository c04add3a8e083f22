#pragma once
// The total-effect slot: the equaliser's three levels are automated.
#include "model/COskendAutomatedFXSectionImpl.h"

class COskendTFXFXSectionImpl : public COskendAutomatedFXSectionImpl {
 public:
  COskendTFXFXSectionImpl();
};
