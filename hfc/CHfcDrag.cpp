#include "hfc/CHfcDrag.h"

#include "hfc/HfcCountedInstance.h"
#include "os/Scrap.h"

CHfcDrag* CHfcDrag::sm_pInstance = nullptr;
int CHfcDrag::sm_iRefCount = 0;

bool CHfcDrag::Initialize() {
  return HfcCountedStart(sm_pInstance, sm_iRefCount, [] { return new CHfcDrag(); });
}

bool CHfcDrag::Uninitialize() { return HfcCountedStop(sm_pInstance, sm_iRefCount); }

bool CHfcDrag::IsFormatAvailable(unsigned int type) { return os::Scrap::Has(type); }
