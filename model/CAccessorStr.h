#pragma once
// Fixed-size text fields. Str<N>: printable text padded with spaces;
// StrV<N>: space-padded, trailing spaces dropped; StrVZ<N>: NUL-padded,
// trailing spaces and NULs dropped, returned as bare text (the others
// return display pairs).
#include <algorithm>
#include <cstring>
#include <string>

#include "model/IAccessorS.h"
#include "model/mathutl.h"

template <unsigned N>
class CAccessorStr : public IAccessorS {
 public:
  std::string Get(const void* block, unsigned offset) const override {
    std::string text;
    if (block != nullptr) {
      const unsigned char* p = static_cast<const unsigned char*>(block) + offset;
      for (unsigned i = 0; i < N && p[i] >= 32 && p[i] <= 127; ++i)
        text.push_back(static_cast<char>(p[i]));
    }
    text.resize(N, ' ');
    return mathutl::makemultisz(text.c_str(), text.c_str());
  }

  std::string Put(void* block, unsigned offset, const char* text) const override {
    if (block == nullptr) return mathutl::makemultisz("", "");
    if (text == nullptr) text = "";
    unsigned char* p = static_cast<unsigned char*>(block) + offset;
    size_t n = std::min<size_t>(std::strlen(text), N);
    std::memcpy(p, text, n);
    std::memset(p + n, ' ', N - n);
    std::string stored(reinterpret_cast<const char*>(p), N);
    return mathutl::makemultisz(stored.c_str(), stored.c_str());
  }
};

namespace accessorstr {

// The n bytes of the field less trailing spaces (and NULs when asked).
inline std::string Trimmed(const void* block, unsigned offset, unsigned n, bool nulsToo) {
  if (block == nullptr) return std::string();
  std::string text(static_cast<const char*>(block) + offset, n);
  std::string::size_type last = text.find_last_not_of(nulsToo ? std::string(" \0", 2) : " ");
  text.erase(last == std::string::npos ? 0 : last + 1);
  return text;
}

// For a non-empty text: pads the whole field, then copies the text's first
// n bytes; returns what was copied. An empty text leaves the field alone.
inline std::string Fill(void* block, unsigned offset, unsigned n, char pad, const char* text) {
  if (block == nullptr || text == nullptr || *text == '\0') return std::string();
  char* p = static_cast<char*>(block) + offset;
  size_t len = std::min<size_t>(std::strlen(text), n);
  std::memset(p, pad, n);
  std::memcpy(p, text, len);
  return std::string(p, len);
}

}  // namespace accessorstr

template <unsigned N>
class CAccessorStrV : public IAccessorS {
 public:
  std::string Get(const void* block, unsigned offset) const override {
    std::string text = accessorstr::Trimmed(block, offset, N, false);
    return mathutl::makemultisz(text.c_str(), text.c_str());
  }

  std::string Put(void* block, unsigned offset, const char* text) const override {
    std::string copied = accessorstr::Fill(block, offset, N, ' ', text);
    return mathutl::makemultisz(copied.c_str(), copied.c_str());
  }
};

template <unsigned N>
class CAccessorStrVZ : public IAccessorS {
 public:
  std::string Get(const void* block, unsigned offset) const override {
    return accessorstr::Trimmed(block, offset, N, true);
  }

  std::string Put(void* block, unsigned offset, const char* text) const override {
    return accessorstr::Fill(block, offset, N, '\0', text);
  }
};
