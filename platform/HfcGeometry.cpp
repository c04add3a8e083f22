#include "platform/HfcGeometry.h"

#include <algorithm>

void HfcSetPoint(tagHfcPoint* p, int x, int y) {
  p->x = x;
  p->y = y;
}

void HfcAddPoint(tagHfcPoint* a, tagHfcPoint* b) {
  b->x += a->x;
  b->y += a->y;
}

void HfcSubPoint(tagHfcPoint* a, tagHfcPoint* b) {
  b->x -= a->x;
  b->y -= a->y;
}

bool HfcEqualPoint(tagHfcPoint* a, tagHfcPoint* b) { return a->x == b->x && a->y == b->y; }

void MacPoint2HfcPoint(tagHfcPoint* out, Point* in) {
  out->x = in->h;
  out->y = in->v;
}

void HfcPoint2MacPoint(Point* out, tagHfcPoint* in) {
  out->h = static_cast<int16_t>(in->x);
  out->v = static_cast<int16_t>(in->y);
}

tagHfcRect* HfcSetRect(tagHfcRect* r, int left, int top, int right, int bottom) {
  r->left = left;
  r->top = top;
  r->right = right;
  r->bottom = bottom;
  return r;
}

void HfcUnionRect(tagHfcRect* out, const tagHfcRect* a, const tagHfcRect* b) {
  const tagHfcRect u{std::min(a->left, b->left), std::min(a->top, b->top),
                     std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
  *out = u;
}

int HfcGetRectWidth(const tagHfcRect* r) { return r->right - r->left; }
int HfcGetRectHeight(const tagHfcRect* r) { return r->bottom - r->top; }

void MacRect2HfcRect(tagHfcRect* out, Rect* in) {
  out->left = in->left;
  out->top = in->top;
  out->right = in->right;
  out->bottom = in->bottom;
}

void HfcRect2MacRect(Rect* out, tagHfcRect* in) {
  out->left = static_cast<int16_t>(in->left);
  out->top = static_cast<int16_t>(in->top);
  out->right = static_cast<int16_t>(in->right);
  out->bottom = static_cast<int16_t>(in->bottom);
}
