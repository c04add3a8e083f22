#pragma once
// A two-state button from a two-frame picture (off above, on below) that
// asks its listener to toggle on each click.
#include "hfc/CHfcControl.h"

struct tagHfcCtrlOnOffButtonParam {
  int x, y;
  int width;   // 0: the picture's width
  int height;  // 0: half the picture's height
  CHfcBmp* button;
  CHfcBmp* background;
  int backgroundX, backgroundY;
};

class CHfcCtrlOnOffButton : public CHfcControl {
 public:
  bool Create(const tagHfcCtrlOnOffButtonParam* param, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override {
    return OnHfcMouseLButtonDown(m, x, y, mods);
  }
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetIntValue(int v, bool redraw) override;

 private:
  CHfcBmp* m_pButton = nullptr;
  CHfcBmp* m_pBackground = nullptr;
  int m_iBackX = 0, m_iBackY = 0;
};
