#include "hfc/HfcPictureProbe.h"

namespace {
IHfcPictureProbe* gPictureProbe = nullptr;
}  // namespace

void HfcSetPictureProbe(IHfcPictureProbe* probe) { gPictureProbe = probe; }
IHfcPictureProbe* HfcGetPictureProbe() { return gPictureProbe; }

void HfcTellPictureProbe(const CHfcBmp* picture, int dx, int dy, int w, int h, int sx, int sy) {
  if (gPictureProbe) gPictureProbe->OnPictureCopy({picture, dx, dy, w, h, sx, sy});
}
