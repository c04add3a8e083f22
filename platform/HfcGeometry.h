#pragma once
// Points and rectangles of the framework and their screen forms.
#include "os/MacTypes.h"
#include "platform/HfcTypes.h"

void HfcSetPoint(tagHfcPoint* p, int x, int y);
// The second point moves: b += a, b -= a.
void HfcAddPoint(tagHfcPoint* a, tagHfcPoint* b);
void HfcSubPoint(tagHfcPoint* a, tagHfcPoint* b);
bool HfcEqualPoint(tagHfcPoint* a, tagHfcPoint* b);
void MacPoint2HfcPoint(tagHfcPoint* out, Point* in);
void HfcPoint2MacPoint(Point* out, tagHfcPoint* in);

tagHfcRect* HfcSetRect(tagHfcRect* r, int left, int top, int right, int bottom);
// Bounding rectangle of a and b (empty rectangles count too); out may be a or b.
void HfcUnionRect(tagHfcRect* out, const tagHfcRect* a, const tagHfcRect* b);
int HfcGetRectWidth(const tagHfcRect* r);
int HfcGetRectHeight(const tagHfcRect* r);
void MacRect2HfcRect(tagHfcRect* out, Rect* in);
void HfcRect2MacRect(Rect* out, tagHfcRect* in);
