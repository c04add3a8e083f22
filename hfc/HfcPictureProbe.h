#pragma once
// A probe that hears of every picture copied into a drawing context, as the
// copy was asked for (before it is cut to the picture and the context): the
// layout checks use it to see which pictures a control or a page draws and
// from where.
class CHfcBmp;

struct tagHfcPictureCopy {
  const CHfcBmp* picture;
  int dx;  // destination, in the drawing context's pixels
  int dy;
  int w;
  int h;
  int sx;  // source, in the picture's pixels
  int sy;
};

class IHfcPictureProbe {
 public:
  virtual ~IHfcPictureProbe() = default;
  virtual void OnPictureCopy(const tagHfcPictureCopy& copy) = 0;
};

// Main thread only; null removes the probe.
void HfcSetPictureProbe(IHfcPictureProbe* probe);
IHfcPictureProbe* HfcGetPictureProbe();
// What the drawing contexts call for each copy; nothing without a probe.
void HfcTellPictureProbe(const CHfcBmp* picture, int dx, int dy, int w, int h, int sx, int sy);
