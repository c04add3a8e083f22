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

template <unsigned N>
class CAccessorStrV : public IAccessorS {
 public:
  std::string Get(const void* block, unsigned offset) const override {
    std::string text;
    if (block != nullptr) {
      const char* p = static_cast<const char*>(block) + offset;
      text.assign(p, N);
      text.erase(text.find_last_not_of(' ') + 1);
    }
    return mathutl::makemultisz(text.c_str(), text.c_str());
  }

  std::string Put(void* block, unsigned offset, const char* text) const override {
    // An empty text leaves the field as it was.
    if (block == nullptr || text == nullptr || *text == '\0')
      return mathutl::makemultisz("", "");
    char* p = static_cast<char*>(block) + offset;
    size_t n = std::min<size_t>(std::strlen(text), N);
    std::memset(p, ' ', N);
    std::memcpy(p, text, n);
    std::string copied(p, n);
    return mathutl::makemultisz(copied.c_str(), copied.c_str());
  }
};

template <unsigned N>
class CAccessorStrVZ : public IAccessorS {
 public:
  std::string Get(const void* block, unsigned offset) const override {
    std::string text;
    if (block != nullptr) {
      const char* p = static_cast<const char*>(block) + offset;
      text.assign(p, N);
      std::string::size_type last = text.find_last_not_of(std::string(" \0", 2));
      text.erase(last == std::string::npos ? 0 : last + 1);
    }
    return text;
  }

  std::string Put(void* block, unsigned offset, const char* text) const override {
    if (block == nullptr || text == nullptr || *text == '\0') return std::string();
    char* p = static_cast<char*>(block) + offset;
    size_t n = std::min<size_t>(std::strlen(text), N);
    std::memset(p, 0, N);
    std::memcpy(p, text, n);
    return std::string(p, n);
  }
};
