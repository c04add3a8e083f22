#pragma once
// A push button with a released and a pressed picture per value: a click
// released over the button reports the current value to the listener.
#include "hfc/CHfcControl.h"

struct tagHfcCtrlButtonParam {
  int x = 0, y = 0;
  int width = 0;   // 0: the picture's width
  int height = 0;  // 0: the picture's height / (2 x values)
  CHfcBmp* button = nullptr;  // value v: released at row 2v, pressed at 2v + 1
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int values = 1;
};

class CHfcCtrlButton : public CHfcControl {
 public:
  // False without a record, without the picture a size comes from, or with
  // no values.
  bool Create(const tagHfcCtrlButtonParam* param, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override {
    return OnHfcMouseLButtonDown(m, x, y, mods);
  }
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetIntValue(int v, bool redraw) override;
  bool IsPressed() const { return pressed_; }

 private:
  tagHfcCtrlButtonParam m_param{};
  bool pressed_ = false;
};
