#pragma once
// Whole-picture PNG files of 32-bit 0xAARRGGBB pixels, so that what a window
// shows can be looked at (and compared) outside the program.
#include <cstdint>
#include <string>
#include <vector>

namespace os {

// Writes width x height pixels (rows `stride` pixels apart) as an 8-bit
// RGBA PNG. False on bad arguments or any write error (nothing half-written
// is left behind).
bool WritePngFile(const std::string& path, const uint32_t* pixels, int width, int height,
                  int stride);
// Reads a PNG written by WritePngFile (or any 8-bit RGB/RGBA one) back into
// 0xAARRGGBB pixels. False when the file is missing or not such a PNG.
bool ReadPngFile(const std::string& path, std::vector<uint32_t>* pixels, int* width,
                 int* height);

}  // namespace os
