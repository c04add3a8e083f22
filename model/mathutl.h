#pragma once
// Text helpers shared by the parameter tables, converters and sections.
#include <limits>
#include <string>
#include <vector>

namespace mathutl {

// Display pair: long form, NUL, short form, NUL. An absent or empty short
// form repeats the long one.
std::string makemultisz(const char* longText, const char* shortText);

// Pieces between separators; an empty text gives none, a trailing separator
// adds no empty last piece.
std::vector<std::string> breakstring(const char* text, char sep);

// Reads a value list ("raw\tlong|short" lines, or names counted on from the
// previous value). Every given output is emptied first; any may be null.
void breakenumstring(const char* text, std::vector<int>* values,
                     std::vector<std::string>* longs,
                     std::vector<std::string>* shorts);

// Piece n of the text split at sep; empty when there is no such piece.
std::string extractsubstring(const char* text, unsigned n, char sep);

// printf into at most 255 characters.
std::string formatstring(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

// The printable name stored at p: at most 24 bytes, up to the first byte
// outside 32..127.
std::string extractchunkname(const void* p);

// 5 identical, 4 equal ignoring case, 3 one a prefix of the other,
// 2 prefix ignoring case, 0 otherwise.
int strcmprank(const char* a, const char* b);

// strtol with base 0 clamped to 32 bits (null counts as empty).
int strtoint(const char* text);

// A double as T; beyond T's range an infinity, never an undefined
// conversion.
template <typename T>
T narrow(double d) {
  if (d > std::numeric_limits<T>::max()) return std::numeric_limits<T>::infinity();
  if (d < std::numeric_limits<T>::lowest()) return -std::numeric_limits<T>::infinity();
  return static_cast<T>(d);
}

}  // namespace mathutl
