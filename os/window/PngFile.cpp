#include "os/window/PngFile.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace os {

namespace {
struct FileCloser {
  void operator()(FILE* f) const {
    if (f) fclose(f);
  }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;
}  // namespace

bool WritePngFile(const std::string& path, const uint32_t* pixels, int width, int height,
                  int stride) {
  if (!pixels || width <= 0 || height <= 0 || stride < width) return false;
  const std::string temp = path + ".part";
  FilePtr file(fopen(temp.c_str(), "wb"));
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<uint8_t> row(static_cast<size_t>(width) * 4);
  volatile bool ok = false;
  if (info && !setjmp(png_jmpbuf(png))) {
    png_init_io(png, file.get());
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
      const uint32_t* src = pixels + static_cast<size_t>(y) * stride;
      for (int x = 0; x < width; ++x) {
        const uint32_t p = src[x];
        row[x * 4 + 0] = static_cast<uint8_t>(p >> 16);
        row[x * 4 + 1] = static_cast<uint8_t>(p >> 8);
        row[x * 4 + 2] = static_cast<uint8_t>(p);
        row[x * 4 + 3] = static_cast<uint8_t>(p >> 24);
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, info ? &info : nullptr);
  if (fclose(file.release()) != 0) ok = false;
  if (ok) ok = rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) remove(temp.c_str());
  return ok;
}

bool ReadPngFile(const std::string& path, std::vector<uint32_t>* pixels, int* width,
                 int* height) {
  FilePtr file(fopen(path.c_str(), "rb"));
  if (!file) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  volatile bool ok = false;
  std::vector<uint8_t> row;
  if (info && !setjmp(png_jmpbuf(png))) {
    png_init_io(png, file.get());
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info);
    const png_uint_32 h = png_get_image_height(png, info);
    const int type = png_get_color_type(png, info);
    if (png_get_bit_depth(png, info) == 8 &&
        (type == PNG_COLOR_TYPE_RGB || type == PNG_COLOR_TYPE_RGB_ALPHA) && w > 0 && h > 0 &&
        w <= 16384 && h <= 16384) {
      if (type == PNG_COLOR_TYPE_RGB) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
      png_read_update_info(png, info);
      row.resize(static_cast<size_t>(w) * 4);
      pixels->assign(static_cast<size_t>(w) * h, 0);
      for (png_uint_32 y = 0; y < h; ++y) {
        png_read_row(png, row.data(), nullptr);
        for (png_uint_32 x = 0; x < w; ++x) {
          const uint8_t* p = &row[x * 4];
          (*pixels)[y * w + x] = (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) |
                                 (uint32_t(p[1]) << 8) | p[2];
        }
      }
      *width = static_cast<int>(w);
      *height = static_cast<int>(h);
      ok = true;
    }
  }
  png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  return ok;
}

}  // namespace os
