#include "spare/CHfcClipboard.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "os/Scrap.h"
#include "platform/HfcDebug.h"

bool CHfcClipboard::Empty() {
  os::Scrap::Clear();
  return true;
}

bool CHfcClipboard::GetData(uint32_t flavor, void* buffer, uint32_t size) {
  std::vector<uint8_t> bytes;
  if (!os::Scrap::Get(flavor, &bytes)) {
    HfcDebugPrintf("Failed to call GetScrapFlavorData().");
    return false;
  }
  if (size > 0 && !buffer) return false;
  std::memcpy(buffer, bytes.data(), std::min<size_t>(size, bytes.size()));
  return true;
}

bool CHfcClipboard::SetData(uint32_t flavor, const void* data, uint32_t size) {
  os::Scrap::Clear();
  if (!os::Scrap::Put(flavor, data, size)) {
    HfcDebugPrintf("Failed to call PutScrapFlavor().");
    return false;
  }
  return true;
}

uint32_t CHfcClipboard::GetSize(uint32_t flavor) {
  if (!os::Scrap::Has(flavor)) {
    HfcDebugPrintf("CHfcClipboard::GetSize() - Failed to call GetScrapFlavorSize().");
    return 0;
  }
  return static_cast<uint32_t>(os::Scrap::Size(flavor));
}

bool CHfcClipboard::IsFormatAvailable(uint32_t flavor) { return os::Scrap::Has(flavor); }
