#include "model/CStringConverterCont.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "model/mathexp.h"
#include "model/mathutl.h"

namespace {

constexpr size_t kMaxText = 127;

int ClampToInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// "%i~%i": one or two integers; false when not even the first is readable.
bool ReadRawRange(const std::string& text, int32_t* low, int32_t* high) {
  const char* p = text.c_str();
  char* stop = nullptr;
  errno = 0;
  long long a = std::strtoll(p, &stop, 0);
  if (stop == p) return false;
  *low = *high = ClampToInt(a);
  if (*stop == '~') {
    const char* q = stop + 1;
    long long b = std::strtoll(q, &stop, 0);
    if (stop != q) *high = ClampToInt(b);
  }
  return true;
}

// "%f~%f" likewise.
bool ReadShownRange(const std::string& text, float* low, float* high) {
  const char* p = text.c_str();
  char* stop = nullptr;
  float a = std::strtof(p, &stop);
  if (stop == p) return false;
  *low = *high = a;
  if (*stop == '~') {
    const char* q = stop + 1;
    float b = std::strtof(q, &stop);
    if (stop != q) *high = b;
  }
  return true;
}

bool IsFloatConversion(char c) {
  return c == 'f' || c == 'F' || c == 'e' || c == 'E' || c == 'g' || c == 'G' ||
         c == 'a' || c == 'A';
}

// printf over the format with the evaluated expressions as double
// arguments. The formats come from data, so they are not handed to printf
// as they are: only floating-point conversions consume an argument (a
// missing one prints 0), any other conversion is copied as literal text,
// and widths and precisions are kept within the text's length.
std::string PrintValues(const std::string& format, const std::vector<double>& args) {
  std::string out;
  size_t next = 0;
  const char* p = format.c_str();
  const char* end = p + format.size();
  while (p < end && out.size() < kMaxText) {
    if (*p != '%') {
      out.push_back(*p++);
      continue;
    }
    const char* start = p++;
    if (p < end && *p == '%') {
      out.push_back('%');
      ++p;
      continue;
    }
    std::string conversion = "%";
    while (p < end && (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0'))
      conversion.push_back(*p++);
    int width = 0;
    bool hasWidth = false;
    while (p < end && *p >= '0' && *p <= '9') {
      width = std::min(width * 10 + (*p++ - '0'), 1000);
      hasWidth = true;
    }
    int precision = -1;
    if (p < end && *p == '.') {
      ++p;
      precision = 0;
      while (p < end && *p >= '0' && *p <= '9') precision = std::min(precision * 10 + (*p++ - '0'), 1000);
    }
    while (p < end && (*p == 'l' || *p == 'L' || *p == 'h' || *p == 'q' || *p == 'j' ||
                       *p == 'z' || *p == 't'))
      ++p;
    if (p >= end || !IsFloatConversion(*p)) {
      out.append(start, p);
      continue;
    }
    if (hasWidth) conversion += std::to_string(std::min<int>(width, kMaxText));
    if (precision >= 0) {
      conversion.push_back('.');
      conversion += std::to_string(std::min<int>(precision, kMaxText));
    }
    conversion.push_back(*p++);
    double value = next < args.size() ? args[next] : 0.0;
    ++next;
    char buf[kMaxText + 1];
    std::snprintf(buf, sizeof buf, conversion.c_str(), value);
    out += buf;
  }
  if (out.size() > kMaxText) out.resize(kMaxText);
  return out;
}

// Single precision covers the raw ranges a float holds exactly.
bool UsesSinglePrecision(const CStringConverterCont::entry& e) {
  return e.rawLow >= -8388607 && e.rawHigh <= 8388607;
}

template <typename T>
std::string FormatAt(const CStringConverterCont::entry& e, T x) {
  std::vector<double> args;
  args.reserve(e.expressions.size());
  for (const std::string& expr : e.expressions) {
    T r = T(0);
    if (!mathexp::eval(expr.c_str(), x, &r)) r = T(0);
    args.push_back(static_cast<double>(r));
  }
  std::string text = PrintValues(e.format, args);
  return mathutl::makemultisz(text.c_str(), text.c_str());
}

template <typename T>
std::string FormatRange(const CStringConverterCont::entry& e, int value) {
  return FormatAt<T>(e, T(e.shownLow) + (T(e.shownHigh) - T(e.shownLow)) * (T(value) - T(e.rawLow)) /
                                            (T(e.rawHigh) - T(e.rawLow)));
}

// A number format with its expressions, as range rules have, rather than
// a name.
bool IsNumberFormat(const CStringConverterCont::entry& e) {
  if (e.expressions.empty()) return false;
  for (size_t i = e.format.find('%'); i != std::string::npos; i = e.format.find('%', i + 2))
    if (i + 1 < e.format.size() && e.format[i + 1] != '%') return true;
  return false;
}


template <typename T>
bool ParseRange(const CStringConverterCont::entry& e, double t, int* out) {
  T raw = T(e.rawLow) + (T(e.rawHigh) - T(e.rawLow)) * (mathutl::narrow<T>(t) - T(e.shownLow)) /
                            (T(e.shownHigh) - T(e.shownLow));
  raw = raw >= T(0) ? std::trunc(raw + T(0.5)) : std::trunc(raw - T(0.5));
  // Compared before the conversion, so that a NaN or a huge value never
  // becomes an integer.
  if (!(raw >= T(e.rawLow) && raw <= T(e.rawHigh))) return false;
  *out = static_cast<int>(raw);
  return true;
}

std::string FormatEntry(const CStringConverterCont::entry& e, int value) {
  // A range rule whose range holds a single value (the effect tables' rows
  // of "No Effect", range 0 to 0) shows that value as its format says: the
  // format itself is no name to show.
  if (e.rawLow == e.rawHigh && IsNumberFormat(e)) return FormatAt<float>(e, e.shownLow);
  if (e.rawLow == e.rawHigh) {
    std::vector<std::string> parts = mathutl::breakstring(e.format.c_str(), '|');
    std::string longText = parts.empty() ? std::string() : parts[0];
    return mathutl::makemultisz(longText.c_str(), parts.size() > 1 ? parts[1].c_str() : "");
  }
  if (e.shownLow == e.shownHigh || e.expressions.empty()) return mathutl::makemultisz("", "");
  return UsesSinglePrecision(e) ? FormatRange<float>(e, value) : FormatRange<double>(e, value);
}

bool ParseEntry(const CStringConverterCont::entry& e, const char* text, int* out) {
  if (e.rawLow == e.rawHigh) {
    std::string longText = mathutl::extractsubstring(e.format.c_str(), 0, '|');
    if (mathutl::strcmprank(longText.c_str(), text) < 2) return false;
    *out = e.rawLow;
    return true;
  }
  if (e.shownLow == e.shownHigh || e.expressions.empty()) return false;
  char* stop = nullptr;
  double t = std::strtod(text, &stop);
  if (stop == text) return false;
  return UsesSinglePrecision(e) ? ParseRange<float>(e, t, out) : ParseRange<double>(e, t, out);
}

}  // namespace

CStringConverterCont::CStringConverterCont(unsigned char, int min, int max, const char* format)
    : m_min(min), m_max(max) {
  for (const std::string& line : mathutl::breakstring(format, '\n')) {
    std::vector<std::string> pieces = mathutl::breakstring(line.c_str(), '\t');
    entry e{min, max, float(min), float(max), {}, {}};
    std::string f;
    if (pieces.size() == 1) {
      f = pieces[0];
    } else if (pieces.size() >= 2) {
      if (!ReadRawRange(pieces[0], &e.rawLow, &e.rawHigh)) {
        e.rawLow = min;
        e.rawHigh = max;
      }
      e.shownLow = float(e.rawLow);
      e.shownHigh = float(e.rawHigh);
      if (pieces.size() == 2) {
        f = pieces[1];
      } else {
        if (!ReadShownRange(pieces[1], &e.shownLow, &e.shownHigh)) {
          e.shownLow = float(min);
          e.shownHigh = float(max);
        }
        f = pieces[2];
      }
    }
    std::vector<std::string> parts = mathutl::breakstring(f.c_str(), ',');
    if (!parts.empty()) {
      e.format = parts[0];
      e.expressions.assign(parts.begin() + 1, parts.end());
    }
    m_min = std::min(m_min, e.rawLow);
    m_max = std::max(m_max, e.rawHigh);
    m_entries.push_back(std::move(e));
  }
}

std::string CStringConverterCont::Format(int value) const {
  for (const entry& e : m_entries)
    if (e.rawLow <= value && value <= e.rawHigh) return FormatEntry(e, value);
  std::string text = mathutl::formatstring("%d", value);
  return mathutl::makemultisz(text.c_str(), text.c_str());
}

int CStringConverterCont::Parse(const char* text) const {
  if (text == nullptr) text = "";
  int value = 0;
  for (const entry& e : m_entries)
    if (ParseEntry(e, text, &value)) return value;
  return mathutl::strtoint(text);
}
