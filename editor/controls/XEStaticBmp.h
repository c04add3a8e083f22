#pragma once
// A piece of a skin picture on a page; dimmed while disabled.
#include <cstdint>

#include "hfc/CHfcControl.h"

class CHfcBmp;

struct SXEStaticBmp {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
  CHfcBmp* bmp;
  int32_t srcX;
  int32_t srcY;
};

class XEStaticBmp : public CHfcControl {
 public:
  static constexpr uint32_t kDimColor = 0x80FFFFFFu;

  XEStaticBmp() = default;
  ~XEStaticBmp() override = default;

  bool Create(SXEStaticBmp* param, int id, int flags);
  void Draw(CHfcDrawContext* context) override;
  // Erasing shows the picture again.
  void Erase(CHfcDrawContext* context) override;

 private:
  CHfcBmp* m_pBmp = nullptr;
  int32_t m_iWidth = 0;
  int32_t m_iHeight = 0;
  int32_t m_iSrcX = 0;
  int32_t m_iSrcY = 0;
};
