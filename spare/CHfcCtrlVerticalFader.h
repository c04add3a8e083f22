#pragma once
// A vertical fader: a thumb picture travels down a track, the maximum at
// the top. A press on the thumb grabs it, a press elsewhere in its column
// makes it jump under the pointer; dragging reports the wanted values with
// a coarse or (Shift) a fine step, and the listener sets them.
#include "hfc/CHfcControl.h"

struct tagHfcCtrlVerticalFaderParam {
  int x = 0, y = 0;
  int width = 0, height = 0;
  CHfcBmp* thumb = nullptr;  // required
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int reserved = 0;
  int thumbX = 0;      // left edge of the thumb's column, from the frame's left
  int trackTop = 0;    // thumb top at the highest position, from the frame's top
  int thumbWidth = 0;  // 0: the thumb picture's size
  int thumbHeight = 0;
  int trackLength = 0;  // the thumb travels trackLength - thumbHeight pixels
  int minimum = 0, maximum = 16383;
  int initialValue = 0;
  int step = 128, fineStep = 16;  // value change per pixel
};

class CHfcCtrlVerticalFader : public CHfcControl {
 public:
  static const tagHfcCtrlVerticalFaderParam sm_mInitParam;

  CHfcCtrlVerticalFader();
  // False without a record or thumb picture, for an empty range, an empty
  // frame, or a track no longer than the thumb (the thumb would have
  // nowhere to travel and every position would divide by zero).
  bool Create(const tagHfcCtrlVerticalFaderParam* param, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override {
    return OnHfcMouseLButtonDown(m, x, y, mods);
  }
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetIntValue(int v, bool redraw) override;
  // The thumb's offset below the track top for the current value.
  int CalcPosition();
  int GetThumbOffset() const { return m_iThumbOffset; }
  bool IsDragging() const { return m_bDragging; }

 private:
  int Travel() const { return m_param.trackLength - m_param.thumbHeight; }

  tagHfcCtrlVerticalFaderParam m_param;
  int m_iThumbOffset = 0;
  int m_iAccumulator = 0;
  int m_iLastY = 0;
  bool m_bDragging = false;
};
