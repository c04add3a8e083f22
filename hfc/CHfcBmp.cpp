#include "hfc/CHfcBmp.h"

#include <png.h>
#include <sys/stat.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hfc/HfcResourceDir.h"
#include "os/ResourceRegistry.h"

namespace {

// Skin files are small; anything far larger is not one of ours.
constexpr unsigned long long kMaxPngFileBytes = 64ull * 1024 * 1024;

struct PngSource {
  const unsigned char* data;
  size_t size;
  size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
  if (count > src->size - src->pos) {
    png_error(png, "PNG data ends early");
  }
  std::memcpy(out, src->data + src->pos, count);
  src->pos += count;
}

// libpng's own handler prints to stderr; a refused image is reported by the
// false result alone.
void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

// Everything that must survive a longjmp out of libpng lives in plain
// variables here; no object with a destructor is alive between setjmp and
// the jump.
struct DecodeState {
  png_bytep* rows = nullptr;
  bool locked = false;
};

bool Decode(png_structp png, png_infop info, PngSource* source, CHfcBmp* bmp, DecodeState* state) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_set_read_fn(png, source, ReadFromMemory);
  png_set_user_limits(png, CHfcBmp::kMaxSide, CHfcBmp::kMaxSide);
  png_read_info(png, info);

  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colourType = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
  if (width == 0 || height == 0 || static_cast<size_t>(width) * height > CHfcBmp::kMaxPngPixels) {
    return false;
  }

  const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (hasTrns) png_set_expand(png);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_expand(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand(png);
  if (bitDepth > 8) png_set_strip_16(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  png_set_interlace_handling(png);
  if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !hasTrns) {
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  }
  png_set_bgr(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) {
    return false;
  }

  if (!bmp->Create(static_cast<int>(width), static_cast<int>(height))) {
    return false;
  }
  uint32_t* base = bmp->LockPixels();
  if (base == nullptr) {
    return false;
  }
  state->locked = true;
  state->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (state->rows == nullptr) {
    return false;
  }
  auto* bytes = reinterpret_cast<unsigned char*>(base);
  for (png_uint_32 r = 0; r < height; ++r) {
    state->rows[r] = bytes + static_cast<size_t>(r) * bmp->GetRowBytes();
  }
  png_read_image(png, state->rows);
  return true;
}

}  // namespace

CHfcBmp::CHfcBmp() = default;

CHfcBmp::~CHfcBmp() { std::free(mPixels); }

void CHfcBmp::Destroy() {
  std::free(mPixels);
  mPixels = nullptr;
  mWidth = 0;
  mHeight = 0;
  mLockCount = 0;
}

bool CHfcBmp::Create(int width, int height) {
  Destroy();
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
    return false;
  }
  mPixels = static_cast<uint32_t*>(std::calloc(static_cast<size_t>(width) * height, sizeof(uint32_t)));
  if (mPixels == nullptr) {
    return false;
  }
  mWidth = width;
  mHeight = height;
  return true;
}

bool CHfcBmp::Resize(int width, int height) {
  Destroy();
  return Create(width, height);
}

bool CHfcBmp::Load(int resourceId) {
  Destroy();
  // A wider id must not alias the resource whose id it wraps to.
  if (resourceId < INT16_MIN || resourceId > INT16_MAX) {
    return false;
  }
  const os::ResourceRegistry::Handle h =
      os::ResourceRegistry::Get(kPictureResourceType, static_cast<int16_t>(resourceId));
  if (h == nullptr) {
    return false;
  }
  const auto* data = static_cast<const unsigned char*>(os::ResourceRegistry::Lock(h));
  const bool ok = data != nullptr && LoadPNGFromMemory(data, static_cast<unsigned long>(os::ResourceRegistry::Size(h)));
  os::ResourceRegistry::Unlock(h);
  return ok;
}

bool CHfcBmp::LoadPNG(int resourceId) { return Load(resourceId); }

bool CHfcBmp::Load(const char* name) {
  Destroy();
  return LoadPNG(name, nullptr, 0);
}

bool CHfcBmp::LoadPNG(const char* name, unsigned char* buffer, unsigned long bufferSize) {
  Destroy();
  if (name == nullptr) {
    return false;
  }
  char fileName[256];
  std::snprintf(fileName, sizeof fileName, "%s.png", name);
  const std::string dir = HfcGetResourceDir();
  if (dir.empty()) {
    return false;
  }
  const std::string path = dir + "/" + fileName;
  if (path.size() >= 1024) {
    return false;
  }
  return LoadPNGFromFile(path.c_str(), buffer, bufferSize);
}

bool CHfcBmp::LoadPNGFromFile(const char* path, unsigned char* buffer, unsigned long bufferSize) {
  struct stat st {};
  if (path == nullptr || stat(path, &st) != 0 || !S_ISREG(st.st_mode)) {
    return false;
  }
  const auto size = static_cast<unsigned long long>(st.st_size);
  if (size == 0 || size > kMaxPngFileBytes) {
    return false;
  }
  unsigned char* data = buffer;
  unsigned char* own = nullptr;
  if (buffer == nullptr || bufferSize < size) {
    own = static_cast<unsigned char*>(std::malloc(size));
    if (own == nullptr) {
      return false;
    }
    data = own;
  }
  bool ok = false;
  if (FILE* f = std::fopen(path, "rb")) {
    if (std::fread(data, 1, size, f) == size) {
      ok = LoadPNGFromMemory(data, static_cast<unsigned long>(size));
    }
    std::fclose(f);
  }
  std::free(own);
  return ok;
}

bool CHfcBmp::LoadPNGFromMemory(const unsigned char* data, unsigned long size) {
  Destroy();
  if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) {
    return false;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (png == nullptr) {
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  PngSource source{data, size, 0};
  DecodeState state;
  const bool ok = Decode(png, info, &source, this, &state);
  std::free(state.rows);
  if (state.locked) {
    UnlockPixels();
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) {
    Destroy();
  }
  return ok;
}

uint32_t* CHfcBmp::LockPixels() {
  if (mPixels != nullptr) {
    ++mLockCount;
  }
  return mPixels;
}

void CHfcBmp::UnlockPixels() {
  if (mLockCount > 0) {
    --mLockCount;
  }
}

uint32_t CHfcBmp::GetPixel(int x, int y) {
  if (mPixels == nullptr || x < 0 || y < 0 || x >= mWidth || y >= mHeight) {
    return 0;
  }
  return mPixels[static_cast<size_t>(y) * mWidth + x];
}

void CHfcBmp::MakeAlphaPreMultiplied() {
  if (mPreMultiplied) {
    return;
  }
  uint32_t* p = LockPixels();
  if (p == nullptr) {
    return;
  }
  const size_t count = static_cast<size_t>(mWidth) * mHeight;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t px = p[i];
    const uint32_t a = px >> 24;
    const uint32_t f = a != 0 ? a + 1 : 0;
    const uint32_t r = (((px >> 16) & 0xFF) * f) >> 8;
    const uint32_t g = (((px >> 8) & 0xFF) * f) >> 8;
    const uint32_t b = ((px & 0xFF) * f) >> 8;
    p[i] = (a << 24) | (r << 16) | (g << 8) | b;
  }
  UnlockPixels();
  mPreMultiplied = true;
}

void CHfcBmp::FilterColor(uint32_t colour, CHfcBmp* src, int sx, int sy) {
  if (src == nullptr) {
    return;
  }
  uint32_t* dst = LockPixels();
  if (dst == nullptr) {
    return;
  }
  const uint32_t* s = src->LockPixels();
  if (s == nullptr) {
    UnlockPixels();
    return;
  }
  const uint32_t cb = colour & 0xFF;
  const uint32_t cg = (colour >> 8) & 0xFF;
  const uint32_t cr = (colour >> 16) & 0xFF;
  const uint32_t ca = colour >> 24;
  for (int y = 0; y < mHeight; ++y) {
    uint32_t* out = dst + static_cast<size_t>(y) * mWidth;
    const int syy = sy + y;
    for (int x = 0; x < mWidth; ++x) {
      const int sxx = sx + x;
      if (syy < 0 || syy >= src->mHeight || sxx < 0 || sxx >= src->mWidth) {
        out[x] = 0;
        continue;
      }
      const uint32_t px = s[static_cast<size_t>(syy) * src->mWidth + sxx];
      out[x] = (((ca * (px >> 24)) >> 8) << 24) | (((cr * ((px >> 16) & 0xFF)) >> 8) << 16) |
               (((cg * ((px >> 8) & 0xFF)) >> 8) << 8) | ((cb * (px & 0xFF)) >> 8);
    }
  }
  src->UnlockPixels();
  UnlockPixels();
}
