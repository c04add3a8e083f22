#pragma once
// Simple controls that blit the generated skins, for drawing a whole editor
// window in the tests and the benchmark: a film-strip control (knobs,
// switches, wheels), a ring knob made of a lit meter, a face and its value
// text, and a text label. Each repaints the background under itself first,
// as the editor's controls do.
#include <string>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/HfcBmpFontInfo.h"

namespace hfctest {

class BackedControl : public CHfcControl {
 public:
  // bg: the picture behind the control, cut at (bgX, bgY); may be null.
  void Place(int x, int y, int w, int h, CHfcBmp* bg, int bgX, int bgY) {
    Create(x, y, w, h, 1);
    Show(false);
    Enable(false);
    bg_ = bg;
    bgX_ = bgX;
    bgY_ = bgY;
  }

 protected:
  void DrawBack(CHfcDrawContext* dc) {
    if (bg_) dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), bg_, bgX_, bgY_);
  }

 private:
  CHfcBmp* bg_ = nullptr;
  int bgX_ = 0;
  int bgY_ = 0;
};

// Frame `value` of a vertical film strip of `frames` frames.
class StripControl : public BackedControl {
 public:
  StripControl(CHfcBmp* strip, int frames) : strip_(strip), frames_(frames) {}
  void Draw(CHfcDrawContext* dc) override {
    if (!dc || !IsVisible() || !strip_) return;
    DrawBack(dc);
    const int top = GetIntValue() * strip_->GetHeight() / frames_;
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), strip_, 0, top);
  }

 private:
  CHfcBmp* strip_;
  int frames_;
};

// The lit ring cut at the value, the face over it, the value in the middle.
class RingKnob : public BackedControl {
 public:
  static constexpr float kStart = 3.9880764f;
  static constexpr float kEnd = -0.8203046f;
  RingKnob(CHfcBmp* meter, CHfcBmp* face, tagHfcBmpFontInfo* font)
      : meter_(meter), face_(face), font_(font) {}
  void Draw(CHfcDrawContext* dc) override {
    if (!dc || !IsVisible() || !meter_) return;
    DrawBack(dc);
    const int w = meter_->GetWidth();
    const int h = meter_->GetHeight();
    CHfcOffscreenContext ring(w, h);
    ring.CopyBmp(0, 0, w, h, meter_, 0, 0);
    const int range = GetMaxIntValue() - GetMinIntValue();
    if (range > 0 && GetIntValue() < GetMaxIntValue()) {
      const float lit = kStart + static_cast<float>(GetIntValue() - GetMinIntValue() + 1) *
                                     (kEnd - kStart) / static_cast<float>(range + 1);
      ring.ClearArc(w * 0.5f, h * 0.5f, w * 0.5f + 1.0f, lit, kEnd, true);
    }
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, ring.GetBmp(), 0, 0);
    if (face_) dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, face_, 0, 0);
    if (font_) {
      const std::string text = std::to_string(GetIntValue());
      const int tw = HfcGetBmpTextWidth(font_, text.c_str());
      dc->DrawBmpTextProportional(m_rcFrame.left + (w - tw) / 2, m_rcFrame.top + 15, text.c_str(),
                                  w, font_, 0xFF000000u, false);
    }
  }

 private:
  CHfcBmp* meter_;
  CHfcBmp* face_;
  tagHfcBmpFontInfo* font_;
};

// Text in a bitmap font; align 0 left, 1 centre. A fill colour other than
// 0 paints the box first.
class TextLabel : public BackedControl {
 public:
  TextLabel(std::string text, tagHfcBmpFontInfo* font, uint32_t colour, int align = 0,
            uint32_t fill = 0)
      : text_(std::move(text)), font_(font), colour_(colour), align_(align), fill_(fill) {}
  void Draw(CHfcDrawContext* dc) override {
    if (!dc || !IsVisible() || !font_) return;
    DrawBack(dc);
    if (fill_) {
      dc->SetBrushColor(fill_);
      dc->FillRect(m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight());
    }
    int x = m_rcFrame.left;
    if (align_ == 1) x += (GetWidth() - HfcGetBmpTextWidth(font_, text_.c_str())) / 2;
    const int y = m_rcFrame.top + (GetHeight() - font_->textHeight) / 2;
    dc->DrawBmpTextProportional(x, y, text_.c_str(), GetWidth(), font_, colour_, false);
  }

 private:
  std::string text_;
  tagHfcBmpFontInfo* font_;
  uint32_t colour_;
  int align_;
  uint32_t fill_;
};

}  // namespace hfctest
