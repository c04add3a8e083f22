// Feeds arbitrary blocks to extractData. Inputs that do not start with the
// block magic are compressed instead and must extract back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "remote/CTavoArchiver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  const auto n = static_cast<unsigned>(size);
  if (size >= 4 && std::memcmp(data, "TAVO", 4) == 0) {
    std::vector<unsigned char> out(1u << 16);
    const int r = CTavoArchiver::extractData(data, n, out.data(), static_cast<unsigned>(out.size()));
    if (r < 0 || r > static_cast<int>(out.size())) std::abort();
    return 0;
  }
  unsigned blockSize = 0;
  std::unique_ptr<unsigned char[]> block(CTavoArchiver::compressData(data, n, blockSize));
  if (blockSize > n + 16) std::abort();
  std::vector<unsigned char> out(size);
  const int r = CTavoArchiver::extractData(block.get(), blockSize, out.data(), n);
  if (size != 0 && (r != static_cast<int>(n) || std::memcmp(out.data(), data, size) != 0)) std::abort();
  return 0;
}
