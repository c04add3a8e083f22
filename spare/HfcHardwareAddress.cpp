#include "spare/HfcHardwareAddress.h"

#include <algorithm>

#include "os/HardwareAddress.h"

bool MacGetPrimaryMacAddress(unsigned char* address) {
  std::fill(address, address + 6, 0);
  const auto primary = os::PrimaryHardwareAddress(os::ListNetworkInterfaces());
  if (!primary) return false;
  std::copy(primary->begin(), primary->end(), address);
  return true;
}
