#include "host/HostString.h"

#include <atomic>

class HostStringObject {
 public:
  explicit HostStringObject(std::string_view s) : bytes(s) {}
  std::string bytes;
  mutable std::atomic<int> refs{1};
};

bool HostStringIsUTF8(std::string_view bytes) {
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    size_t extra;
    uint32_t cp;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (n - i <= extra) return false;
    for (size_t k = 1; k <= extra; ++k) {
      const auto d = static_cast<unsigned char>(bytes[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    static constexpr uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

CFStringRef HostStringCreate(std::string_view utf8) {
  if (!HostStringIsUTF8(utf8)) return nullptr;
  return new HostStringObject(utf8);
}

CFStringRef HostStringRetain(CFStringRef s) {
  if (s) s->refs.fetch_add(1, std::memory_order_relaxed);
  return s;
}

void HostStringRelease(CFStringRef s) {
  if (s && s->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete s;
}

const std::string& HostStringBytes(CFStringRef s) {
  static const std::string kEmpty;
  return s ? s->bytes : kEmpty;
}
