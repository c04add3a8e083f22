#pragma once
// The framework's 32-bit bitmap: pixels are words 0xAARRGGBB (non
// pre-multiplied unless MakeAlphaPreMultiplied ran), rows from the top down.
// Skin images are decoded into it from PNG files; draw contexts draw into it.
#include <cstddef>
#include <cstdint>

class CHfcBmp {
 public:
  // Largest side a bitmap may have (the bounds of the platform's offscreen
  // worlds are 16-bit) and the largest pixel count a PNG may decode to.
  static constexpr int kMaxSide = 32767;
  static constexpr size_t kMaxPngPixels = 16u * 1024u * 1024u;

  CHfcBmp();
  virtual ~CHfcBmp();
  CHfcBmp(const CHfcBmp&) = delete;
  CHfcBmp& operator=(const CHfcBmp&) = delete;

  // Transparent black bitmap of that size; refuses sides of 0 or less and
  // above kMaxSide.
  virtual bool Create(int width, int height);
  // Picture resources of this platform hold PNG data: the resource of type
  // kPictureResourceType and that 16-bit id. False for an id outside 16
  // bits, a missing resource or data that does not decode.
  static constexpr uint32_t kPictureResourceType = 0x50494354;  // 'PICT'
  virtual bool Load(int resourceId);
  virtual bool Load(const char* name);
  virtual bool LoadPNG(int resourceId);
  // The file named "<name>.png" in the resource directory (HfcGetResourceDir).
  virtual bool LoadPNG(const char* name, unsigned char* buffer, unsigned long bufferSize);
  // Decodes size bytes of PNG data; truncated, corrupt or too large images
  // leave the bitmap empty and give false.
  virtual bool LoadPNGFromMemory(const unsigned char* data, unsigned long size);
  // buffer, when large enough, holds the file's bytes instead of a buffer of
  // its own.
  virtual bool LoadPNGFromFile(const char* path, unsigned char* buffer, unsigned long bufferSize);
  virtual void Destroy();

  bool Resize(int width, int height);

  uint32_t* LockPixels();
  void UnlockPixels();
  int GetRowBytes() const { return mWidth * 4; }
  uint32_t GetPixel(int x, int y);

  int GetWidth() const { return mWidth; }
  int GetHeight() const { return mHeight; }
  bool IsPreMultiplied() const { return mPreMultiplied; }
  int GetLockCount() const { return mLockCount; }

  void MakeAlphaPreMultiplied();
  // Fills this whole bitmap from the area of src at (sx, sy), each byte
  // times the matching byte of colour / 256. Source pixels outside src
  // count as transparent black.
  void FilterColor(uint32_t colour, CHfcBmp* src, int sx, int sy);

 private:
  int mWidth = 0;
  int mHeight = 0;
  int mLockCount = 0;
  bool mPreMultiplied = false;
  uint32_t* mPixels = nullptr;
};
