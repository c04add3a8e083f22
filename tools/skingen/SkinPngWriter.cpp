#include "tools/skingen/SkinPngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "hfc/CHfcBmp.h"

namespace {

void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

// No object with a destructor lives between setjmp and a jump out of libpng.
bool WriteRows(png_structp png, png_infop info, FILE* file, png_bytep* rows, int width, int height) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  // The bitmap's words lie in memory as blue, green, red, alpha.
  png_set_bgr(png);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool SkinWritePng(CHfcBmp& bmp, const std::string& path, std::string& error) {
  uint32_t* base = bmp.LockPixels();
  if (base == nullptr) {
    error = path + ": empty picture";
    return false;
  }
  std::vector<png_bytep> rows(static_cast<size_t>(bmp.GetHeight()));
  for (int y = 0; y < bmp.GetHeight(); ++y) {
    rows[y] = reinterpret_cast<png_bytep>(base + static_cast<size_t>(y) * bmp.GetWidth());
  }
  bool ok = false;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file != nullptr) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info != nullptr) {
      ok = WriteRows(png, info, file, rows.data(), bmp.GetWidth(), bmp.GetHeight());
    }
    png_destroy_write_struct(&png, &info);
    ok = (std::fclose(file) == 0) && ok;
  }
  bmp.UnlockPixels();
  if (!ok) {
    error = "cannot write " + path;
  }
  return ok;
}
