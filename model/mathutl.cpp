#include "model/mathutl.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace mathutl {

std::string makemultisz(const char* longText, const char* shortText) {
  if (longText == nullptr) longText = "";
  if (shortText == nullptr || *shortText == '\0') shortText = longText;
  std::string out(longText);
  out.push_back('\0');
  out.append(shortText);
  out.push_back('\0');
  return out;
}

std::vector<std::string> breakstring(const char* text, char sep) {
  std::vector<std::string> pieces;
  if (text == nullptr || *text == '\0') return pieces;
  const char* start = text;
  for (const char* p = text;; ++p) {
    if (*p == sep || *p == '\0') {
      // The piece after a trailing separator is not a piece.
      if (*p == '\0' && p == start && p != text) break;
      pieces.emplace_back(start, p);
      if (*p == '\0') break;
      start = p + 1;
    }
  }
  return pieces;
}

int strtoint(const char* text) {
  if (text == nullptr) return 0;
  errno = 0;
  long long v = std::strtoll(text, nullptr, 0);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

void breakenumstring(const char* text, std::vector<int>* values,
                     std::vector<std::string>* longs,
                     std::vector<std::string>* shorts) {
  if (values) values->clear();
  if (longs) longs->clear();
  if (shorts) shorts->clear();
  int next = 0;
  for (const std::string& line : breakstring(text, '\n')) {
    std::string::size_type tab = line.find('\t');
    std::string names;
    int value;
    if (tab != std::string::npos) {
      value = strtoint(line.substr(0, tab).c_str());
      names = line.substr(tab + 1);
    } else {
      value = next;
      names = line;
    }
    next = value == INT_MAX ? value : value + 1;
    std::vector<std::string> parts = breakstring(names.c_str(), '|');
    std::string longName = parts.empty() ? std::string() : parts[0];
    std::string shortName = parts.size() > 1 && !parts[1].empty() ? parts[1] : longName;
    if (values) values->push_back(value);
    if (longs) longs->push_back(std::move(longName));
    if (shorts) shorts->push_back(std::move(shortName));
  }
}

std::string extractsubstring(const char* text, unsigned n, char sep) {
  std::vector<std::string> pieces = breakstring(text, sep);
  return n < pieces.size() ? pieces[n] : std::string();
}

std::string formatstring(const char* format, ...) {
  if (format == nullptr) return std::string();
  char buf[256];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  return n < 0 ? std::string() : std::string(buf);
}

std::string extractchunkname(const void* p) {
  std::string out;
  if (p == nullptr) return out;
  const unsigned char* bytes = static_cast<const unsigned char*>(p);
  for (int i = 0; i < 24 && bytes[i] >= 32 && bytes[i] <= 127; ++i)
    out.push_back(static_cast<char>(bytes[i]));
  return out;
}

namespace {
bool AgreeOverShorter(const char* a, const char* b, bool ignoreCase) {
  for (; *a && *b; ++a, ++b) {
    unsigned char x = *a, y = *b;
    if (ignoreCase) {
      x = static_cast<unsigned char>(std::tolower(x));
      y = static_cast<unsigned char>(std::tolower(y));
    }
    if (x != y) return false;
  }
  return true;
}
}  // namespace

int strcmprank(const char* a, const char* b) {
  if (a == nullptr) a = "";
  if (b == nullptr) b = "";
  bool sameLength = std::strlen(a) == std::strlen(b);
  if (AgreeOverShorter(a, b, false)) return sameLength ? 5 : 3;
  if (AgreeOverShorter(a, b, true)) return sameLength ? 4 : 2;
  return 0;
}

}  // namespace mathutl
