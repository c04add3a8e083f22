#pragma once
// A horizontal fader: a thumb picture slides along a track. It reports the
// wanted values; the listener sets them.
#include "hfc/CHfcControl.h"

struct tagHfcCtrlHorizontalFaderParam {
  int x = 40, y = 40;
  int extraWidth = 100, extraHeight = 30;
  CHfcBmp* thumb = nullptr;  // required
  CHfcBmp* background = nullptr;
  int backgroundX = 100, backgroundY = 30;
  int reserved = 0;
  int thumbX = 0, thumbY = 0;          // offsets of the thumb's band
  int thumbWidth = 23, thumbHeight = 10;  // 0: the thumb picture's size
  int trackLength = 78;
  int minimum = 0, maximum = 48;
  int initialValue = 0;
  int coarseFactor = 128, fineFactor = 16;
};

class CHfcCtrlHorizontalFader : public CHfcControl {
 public:
  static const tagHfcCtrlHorizontalFaderParam sm_mInitParam;

  CHfcCtrlHorizontalFader();
  // False without a record or thumb picture, for an empty range or for a
  // track no longer than the thumb (the thumb would have nowhere to go).
  bool Create(const tagHfcCtrlHorizontalFaderParam* param, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override {
    return OnHfcMouseLButtonDown(m, x, y, mods);
  }
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetIntValue(int v, bool redraw) override;
  int CalcPosition();
  int GetThumbPosition() const { return m_iThumbPos; }

 private:
  tagHfcCtrlHorizontalFaderParam m_param;
  int m_iThumbPos = 0;
  int m_iAccumulator = 0;
  int m_iLastX = 0;
  bool m_bDragging = false;
};
