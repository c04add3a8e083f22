#pragma once
// PNG files made by tests: any colour type, bit depth and interlacing, so
// that decoders can be fed every variant the format allows.
#include <cstdint>
#include <string>
#include <vector>

namespace vesk::test {

struct PngTestImage {
  int width = 0;
  int height = 0;
  int colourType = 6;  // PNG colour type: 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<uint8_t> palette;  // RGB triples (colour type 3)
  std::vector<uint8_t> trns;     // raw tRNS chunk contents, when not empty
  // One row of packed samples per image row, as the PNG stores them
  // (16-bit samples big-endian).
  std::vector<std::vector<uint8_t>> rows;
};

// The encoded file, empty on failure.
std::vector<uint8_t> EncodePng(const PngTestImage& image);

// A picture of 0xAARRGGBB words, width x height, as an RGBA file.
bool WriteArgbPng(const std::string& path, const uint32_t* pixels, int width, int height);

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace vesk::test
