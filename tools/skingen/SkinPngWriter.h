#pragma once
// Writes a 32-bit bitmap as an RGBA PNG file.
#include <string>

class CHfcBmp;

bool SkinWritePng(CHfcBmp& bmp, const std::string& path, std::string& error);
