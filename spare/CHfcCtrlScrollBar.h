#pragma once
// The framework's scroll bar: a track with a decrement and an increment
// button at its ends, a thumb whose length follows the visible share of
// the range, line and page steps, and repeat while a part is held. It
// reports wanted values; the listener sets them.
#include <cstdint>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlScrollBarParam {
  int x = 0, y = 0;
  int width = 1, height = 1;
  CHfcBmp* buttons = nullptr;  // 8 frames: decrement 0-3, increment 4-7
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int orientation = 1;  // 0 horizontal, else vertical
  int minimum = 0, maximum = 100;
  int viewSize = 10;
  int lineStep = 1, pageStep = 9;
  uint32_t bodyColour = 0xFFFFFFFF;
  uint32_t reserved = 0xFFFFFFFF;
  uint32_t backColour = 0;
};

class CHfcCtrlScrollBar : public CHfcControl {
 public:
  enum Part { kNone = 0, kDecrement, kIncrement, kPageBefore, kPageAfter, kThumb };
  static const tagHfcCtrlScrollBarParam sm_mInitParam;

  CHfcCtrlScrollBar();
  // False without a record or button picture, or when the buttons leave
  // no room for a track.
  bool Create(const tagHfcCtrlScrollBarParam* param, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void OnIdle(int elapsed) override;
  void SetIntValue(int v, bool redraw) override;
  void SetMinIntValue(int v, bool redraw) override;
  void SetMaxIntValue(int v, bool redraw) override;

  void SetViewSize(int n, bool redraw);
  void SetFrameColor(uint32_t colour, bool redraw);
  void UpdateScrollerSize();
  int ValueToPosition(int v) const;
  int PositionToValue(int p) const;
  int GetPartCode(int x, int y) const;
  void PartProc(int part);

  int GetThumbLength() const { return thumbLength_; }
  int GetThumbTravel() const { return travel_; }
  int GetThumbPosition() const { return thumbPos_; }
  int GetPressedPart() const { return pressed_; }

 private:
  bool Vertical() const { return m_param.orientation != 0; }
  int Track() const;

  tagHfcCtrlScrollBarParam m_param;
  int buttonW_ = 0, buttonH_ = 0;
  int thumbLength_ = 1, travel_ = 1, thumbPos_ = 0;
  int pressed_ = kNone;
  int repeat_ = 0;
  int pressX_ = 0, pressY_ = 0, pressValue_ = 0, pressThumb_ = 0;
};
