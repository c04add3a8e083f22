#include "tests/support/PngTestFile.h"

#include <png.h>

#include "os/window/PngFile.h"

#include <csetjmp>
#include <cstdio>

namespace vesk::test {
namespace {

void Append(png_structp png, png_bytep data, size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void NoFlush(png_structp) {}
void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

bool Encode(png_structp png, png_infop info, const PngTestImage& image, std::vector<png_bytep>* rows,
            std::vector<uint8_t>* out) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_set_write_fn(png, out, Append, NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height),
               image.bitDepth, image.colourType, image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!image.palette.empty()) {
    std::vector<png_color> colours;
    for (size_t i = 0; i + 2 < image.palette.size(); i += 3) {
      colours.push_back({image.palette[i], image.palette[i + 1], image.palette[i + 2]});
    }
    png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
  }
  if (!image.trns.empty()) {
    if (image.colourType == PNG_COLOR_TYPE_PALETTE) {
      png_set_tRNS(png, info, image.trns.data(), static_cast<int>(image.trns.size()), nullptr);
    } else {
      // Grey or RGB colour key: 16-bit big-endian samples.
      png_color_16 key{};
      auto sample = [&](size_t i) {
        return static_cast<png_uint_16>(image.trns[2 * i] << 8 | image.trns[2 * i + 1]);
      };
      if (image.colourType == PNG_COLOR_TYPE_GRAY) {
        key.gray = sample(0);
      } else {
        key.red = sample(0);
        key.green = sample(1);
        key.blue = sample(2);
      }
      png_set_tRNS(png, info, nullptr, 0, &key);
    }
  }
  png_write_info(png, info);
  png_write_image(png, rows->data());
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodePng(const PngTestImage& image) {
  std::vector<uint8_t> out;
  if (static_cast<int>(image.rows.size()) != image.height) {
    return out;
  }
  std::vector<png_bytep> rows;
  for (const auto& row : image.rows) {
    rows.push_back(const_cast<png_bytep>(row.data()));
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  const bool ok = info != nullptr && Encode(png, info, image, &rows, &out);
  png_destroy_write_struct(&png, &info);
  if (!ok) {
    out.clear();
  }
  return out;
}

bool WriteArgbPng(const std::string& path, const uint32_t* pixels, int width, int height) {
  return os::WritePngFile(path, pixels, width, height, width);
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) {
    return false;
  }
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace vesk::test
