#pragma once
// One picture of a vertical strip, chosen by the value; no mouse handling
// of its own.
#include "hfc/CHfcControl.h"

struct tagHfcCtrlBitmapListParam {
  int x = 0, y = 0;
  int width = 0;   // 0: the strip's width
  int height = 0;  // 0: the strip's height / items
  CHfcBmp* items = nullptr;
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int reserved = 0;
  int itemCount = 1;
};

class CHfcCtrlBitmapList : public CHfcControl {
 public:
  bool Create(const tagHfcCtrlBitmapListParam* param, int id, int flags);
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetIntValue(int v, bool redraw) override;

 private:
  tagHfcCtrlBitmapListParam m_param{};
};
