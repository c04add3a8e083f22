#pragma once
// Shows its value as system-font text in a picture of its own.
#include <cstdint>
#include <memory>
#include <vector>

#include "hfc/CHfcControl.h"

class CHfcOffscreenContext;

struct tagHfcCtrlStringDisplayParam {
  int x, y, width, height;
  int bufferSize;  // bytes, the terminating zero included
  int reserved[2];
  uint32_t background;
  int extra;
};

class CHfcCtrlStringDisplay : public CHfcControl {
 public:
  CHfcCtrlStringDisplay();
  ~CHfcCtrlStringDisplay() override;
  // False for a buffer of no bytes or a picture that cannot be made.
  bool Create(const tagHfcCtrlStringDisplayParam* param, int id, int flags);
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetFloatValue(float v, bool redraw) override;
  void SetIntValue(int v, bool redraw) override;
  void SetPtrValue(void* text, bool redraw) override;
  const char* GetText() const { return text_.empty() ? "" : text_.data(); }

 private:
  void Store(const char* text, bool redraw);
  tagHfcCtrlStringDisplayParam m_param{};
  std::vector<char> text_;
  std::unique_ptr<CHfcOffscreenContext> picture_;
};
