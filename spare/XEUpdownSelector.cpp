#include "spare/XEUpdownSelector.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "editor/controls/FontManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcKey.h"
#include "hfc/HfcBmpFontInfo.h"
#include "hfc/HfcModifiers.h"

namespace {
constexpr int kRepeatMs = 300;
bool Inside(const tagHfcRect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }
}  // namespace

XEUpdownSelector::XEUpdownSelector() = default;

bool XEUpdownSelector::Create(const SXEUpdownSelector* r, int id, int flags) {
  items_.clear();
  m_iValue = m_iMin = m_iMax = 0;
  if (!r || !r->background) return false;
  font_ = r->font;
  if (!font_ && FontManager::mInstance) font_ = FontManager::mInstance->GetBmpFontInfo(FontManager::FontName_HelvB11);
  colour_ = r->textColour;
  background_ = r->background;
  inc_ = {r->incLeft, r->incTop, r->incRight, r->incBottom};
  dec_ = {r->decLeft, r->decTop, r->decRight, r->decBottom};
  const bool ok = CHfcControl::Create(r->x, r->y, background_->GetWidth(), background_->GetHeight(), id);
  (void)flags;
  m_iValue = m_iMin = m_iMax = 0;
  if (ok) {
    Enable(true);
    m_bFocusOnClick = true;
  }
  return ok;
}

void XEUpdownSelector::Destroy() {
  if (CHfcKey::sm_pInstance && CHfcKey::sm_pInstance->GetFocus() == static_cast<CHfcKeyListener*>(this))
    CHfcKey::sm_pInstance->ReleaseFocus();
  CHfcControl::Destroy();
}

int XEUpdownSelector::AddItem(const std::string& text) {
  items_.push_back(text);
  m_iMax = static_cast<int>(items_.size()) - 1;
  return m_iMax;
}

void XEUpdownSelector::ClearAllItems() {
  items_.clear();
  m_iValue = m_iMin = m_iMax = 0;
}

std::string XEUpdownSelector::GetItemText(int index) const {
  return index >= 0 && index < GetItemCount() ? items_[static_cast<size_t>(index)] : std::string();
}

void XEUpdownSelector::SetItemText(int index, const std::string& text) {
  if (index >= 0 && index < GetItemCount()) items_[static_cast<size_t>(index)] = text;
  m_bDirty = true;
}

void XEUpdownSelector::SetIntValue(int value, bool redraw) {
  m_iValue = value >= 0 && value < GetItemCount() ? value : -1;
  if (redraw) m_bDirty = true;
}

void XEUpdownSelector::Step(int delta) {
  const int old = m_iValue;
  m_iValue = ClipIntValueRange(m_iValue + delta);
  m_bDirty = true;
  if (m_iValue != old && m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, m_iValue);
}

bool XEUpdownSelector::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  pressed_ = true;
  repeat_ = 0;
  dragged_ = false;
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  GetMouseDeltaRatio();  // starts the drag-speed clock
  down_ = false;
  if (Inside(inc_, x, y)) {
    Step(+1);
  } else if (Inside(dec_, x, y)) {
    down_ = true;
    Step(-1);
  } else {
    reported_ = m_iValue;
    accumulator_ = static_cast<float>(m_iValue);
    lastX_ = x;
    lastY_ = y;
    SetMouseCapture();
  }
  SetFocus(0);
  return true;
}

void XEUpdownSelector::OnIdle(int elapsed) {
  if (pressed_ && repeat_ < kRepeatMs) {
    repeat_ += elapsed;
    if (repeat_ >= kRepeatMs) {
      const int old = m_iValue;
      m_iValue = ClipIntValueRange(m_iValue + (down_ ? -1 : 1));
      m_bDirty = true;
      if (m_iValue != old && m_pListener) {
        repeat_ = 0;
        m_pListener->OnHfcCtrlIntValueChanged(this, m_iValue);
      }
    }
  }
  CHfcControl::OnIdle(elapsed);
}

bool XEUpdownSelector::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  repeat_ = INT_MAX;
  bool handled = false;
  if (HoldsMouseCapture()) {
    dragged_ = true;
    if (y != lastY_) {
      const float factor = (mods & kHfcModShift) ? shiftFactor_ : normalFactor_ * GetMouseDeltaRatio();
      accumulator_ += (lastY_ - y) * factor;
      m_iValue = ClipIntValueRange(static_cast<int>(std::trunc(accumulator_)));
      m_bDirty = true;
      if (m_iValue != reported_ && m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, m_iValue);
      reported_ = m_iValue;
    }
    handled = true;
  }
  lastX_ = x;
  lastY_ = y;
  return handled;
}

bool XEUpdownSelector::OnHfcMouseLButtonUp(CHfcMouse*, int x, int y, int mods) {
  pressed_ = false;
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonUp(this, x, y, mods)) return true;
  ReleaseMouseCapture();
  return true;
}

void XEUpdownSelector::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !background_) return;
  const int w = GetWidth(), h = GetHeight();
  dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, background_, 0, 0);
  const std::string text = GetItemText(m_iValue);
  if (font_ && !text.empty()) {
    uint32_t colour = colour_;
    if (!m_bEnabled) {
      const uint32_t a = static_cast<uint32_t>(((colour >> 24) & 0xFF) * m_fDisabledAlpha);
      colour = (colour & 0x00FFFFFF) | (a << 24);
    }
    dc->DrawBmpTextProportional(m_rcFrame.left + 10, m_rcFrame.top + h / 2 - font_->textHeight / 2, text.c_str(),
                                w - 30, font_, colour, false);
  }
  if (IsFocused()) DrawFocus(dc);
}
