#pragma once
// Shows one of several stacked state pictures chosen by its value, and
// reports presses to its listener without changing its own state.
#include "hfc/CHfcControl.h"

struct tagHfcCtrlLedParam {
  int x = 0, y = 0;
  int width = 0;   // 0: the picture's width
  int height = 0;  // 0: the picture's height / states
  CHfcBmp* states = nullptr;  // required
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int reserved = 0;
  int stateCount = 0;
};

class CHfcCtrlLed : public CHfcControl {
 public:
  // False without a record or state picture, or with no states.
  bool Create(const tagHfcCtrlLedParam* param, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override {
    return OnHfcMouseLButtonDown(m, x, y, mods);
  }
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetIntValue(int v, bool redraw) override;
  // Word index (0 to 9) of the creation record; the pointer is not used.
  bool GetParameter(int index, void** out) override;
  long GetParameterWord(int index) const;
  void SetParameter(int index, int value, void* pointer, bool redraw) override;

 private:
  tagHfcCtrlLedParam m_param{};
};
