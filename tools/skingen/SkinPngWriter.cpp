#include "tools/skingen/SkinPngWriter.h"

#include "hfc/CHfcBmp.h"
#include "os/window/PngFile.h"

bool SkinWritePng(CHfcBmp& bmp, const std::string& path, std::string& error) {
  const uint32_t* base = bmp.LockPixels();
  if (base == nullptr) {
    error = path + ": empty picture";
    return false;
  }
  const bool ok = os::WritePngFile(path, base, bmp.GetWidth(), bmp.GetHeight(), bmp.GetWidth());
  bmp.UnlockPixels();
  if (!ok) error = "cannot write " + path;
  return ok;
}
