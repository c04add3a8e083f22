#pragma once
// Small value types that the framework's platform calls take. Points and
// rectangles are the classic 16-bit screen forms; file references are plain
// POSIX paths, since this platform names files by path only.
#include <cstdint>
#include <string>

using OSErr = int16_t;
using OSStatus = int32_t;

constexpr OSErr kOsNoErr = 0;
constexpr OSErr kOsParamErr = -50;
constexpr OSErr kOsDuplicateNameErr = -48;
constexpr OSErr kOsFileNotFoundErr = -43;
constexpr OSErr kOsIoErr = -36;

// Screen point {v, h} and rectangle {top, left, bottom, right}.
struct Point {
  int16_t v = 0;
  int16_t h = 0;
};

struct Rect {
  int16_t top = 0;
  int16_t left = 0;
  int16_t bottom = 0;
  int16_t right = 0;
};

// A reference to an existing file or folder.
struct FSRef {
  std::string path;
};

// A file named by its folder and its name; it need not exist yet.
struct FSSpec {
  std::string folder;
  std::string name;
  std::string Path() const { return folder.empty() ? name : folder + "/" + name; }
};
