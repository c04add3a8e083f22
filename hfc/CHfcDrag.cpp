#include "hfc/CHfcDrag.h"

CHfcDrag* CHfcDrag::sm_pInstance = nullptr;
int CHfcDrag::sm_iRefCount = 0;

bool CHfcDrag::Initialize() {
  if (sm_iRefCount == 0) sm_pInstance = new CHfcDrag();
  ++sm_iRefCount;
  return sm_pInstance != nullptr;
}

bool CHfcDrag::Uninitialize() {
  if (sm_iRefCount <= 0) return false;
  if (--sm_iRefCount == 0) {
    delete sm_pInstance;
    sm_pInstance = nullptr;
  }
  return true;
}

bool CHfcDrag::IsFormatAvailable(unsigned int) { return false; }
