#pragma once
// The film-strip knob inside a ring of two coloured arcs: a range arc
// between two values and an amount arc between two others, as a modulation
// amount is shown around a knob. Pressing and dragging are the knob's.
#include <cstdint>

#include "hfc/CHfcCtrlKnob.h"

struct tagHfcCtrlAmtKnobParam : tagHfcCtrlKnobParam {
  int32_t marginX;  // space beside the knob picture; the arcs' pen is twice as wide
  int32_t marginY;  // space above and below it
  uint32_t rangeColour;
  uint32_t amountColour;
};

class CHfcCtrlAmtKnob : public CHfcCtrlKnob {
 public:
  // which: 0 range start, 1 amount start, 2 range end, 3 amount end.
  struct tagAmtValue {
    int which;
    int value;
  };

  // The knob's creation, refusing also an empty range (every arc angle
  // divides by it) and a picture without size.
  bool Create(tagHfcCtrlAmtKnobParam* param, int id, int flags);
  void Draw(CHfcDrawContext* dc) override;
  void SetPtrValue(void* value, bool redraw) override;

  // Degrees, counter-clockwise from the positive x axis: the minimum at
  // 240, the maximum at -60.
  float ValueAngle(int value) const;
  // The film-strip frame shown for the current value.
  int AmtFrameIndex();
  int GetArcValue(int which) const;
  uint32_t GetRangeColour() const { return rangeColour_; }
  uint32_t GetAmountColour() const { return amountColour_; }

 private:
  CHfcBmp* strip_ = nullptr;
  CHfcBmp* background_ = nullptr;
  int backgroundX_ = 0, backgroundY_ = 0;
  int frames_ = 1;
  int marginX_ = 0, marginY_ = 0;
  int imageWidth_ = 0, imageHeight_ = 0;
  int arcs_[4] = {0, 0, 0, 0};  // range start, amount start, range end, amount end
  uint32_t rangeColour_ = 0xFF000000;
  uint32_t amountColour_ = 0xFF00CFFF;
};
