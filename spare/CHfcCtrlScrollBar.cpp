#include "spare/CHfcCtrlScrollBar.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

const tagHfcCtrlScrollBarParam CHfcCtrlScrollBar::sm_mInitParam{};

CHfcCtrlScrollBar::CHfcCtrlScrollBar() : m_param(sm_mInitParam) {}

int CHfcCtrlScrollBar::Track() const {
  return Vertical() ? GetHeight() - 2 * buttonH_ : GetWidth() - 2 * buttonW_;
}

bool CHfcCtrlScrollBar::Create(const tagHfcCtrlScrollBarParam* p, int id, int flags) {
  if (!p || !p->buttons) return false;
  const int bw = p->buttons->GetWidth();
  const int bh = p->buttons->GetHeight() / 8;
  const int track = p->orientation ? p->height - 2 * bh : p->width - 2 * bw;
  if (bw <= 0 || bh <= 0 || track < 0) return false;
  if (!CHfcControl::Create(p->x, p->y, p->width, p->height, id)) return false;
  (void)flags;
  m_param = *p;
  buttonW_ = bw;
  buttonH_ = bh;
  m_iMin = p->minimum;
  m_iMax = p->maximum;
  m_iValue = p->minimum;
  pressed_ = kNone;
  UpdateScrollerSize();
  m_bDirty = true;
  Enable(false);
  return true;
}

void CHfcCtrlScrollBar::Destroy() {
  pressed_ = kNone;
  CHfcControl::Destroy();
}

void CHfcCtrlScrollBar::UpdateScrollerSize() {
  const int range = m_iMax - m_iMin;
  if (range < 1) {
    travel_ = thumbLength_ = 1;
    thumbPos_ = 0;
    return;
  }
  const int track = Track();
  const int view = std::max(m_param.viewSize, 0);
  thumbLength_ = std::max(8, track * view / (view + range));
  // A track shorter than the shortest thumb leaves the thumb no travel; a
  // negative one would put it before the track, over the first button.
  travel_ = std::max(0, track - thumbLength_);
  thumbPos_ = ValueToPosition(m_iValue);
}

// Positions count from the start of the track; values from the minimum,
// so a range that does not start at 0 still maps onto the whole track.
int CHfcCtrlScrollBar::ValueToPosition(int v) const {
  if (m_iMin >= m_iMax) return 0;
  return static_cast<int>(static_cast<long long>(v - m_iMin) * travel_ / (m_iMax - m_iMin));
}

int CHfcCtrlScrollBar::PositionToValue(int p) const {
  if (m_iMin >= m_iMax || travel_ <= 0) return m_iMin;
  return m_iMin + static_cast<int>(static_cast<long long>(m_iMax - m_iMin) * p / travel_);
}

int CHfcCtrlScrollBar::GetPartCode(int x, int y) const {
  const int across = Vertical() ? x : y;
  const int along = Vertical() ? y : x;
  const int thick = Vertical() ? buttonW_ : buttonH_;
  const int button = Vertical() ? buttonH_ : buttonW_;
  const int length = Vertical() ? GetHeight() : GetWidth();
  if (across < 0 || across >= thick) return kNone;
  if (along >= 0 && along < button) return kDecrement;
  if (along >= length - button && along < length) return kIncrement;
  if (m_iMin >= m_iMax) return kNone;
  const int t = ValueToPosition(m_iValue) + button;
  if (along < t) return kPageBefore;
  if (along > t + thumbLength_) return kPageAfter;
  return kThumb;
}

void CHfcCtrlScrollBar::PartProc(int part) {
  if (!m_pListener) return;
  int v = m_iValue;
  switch (part) {
    case kDecrement:
    case kPageBefore:
      if (v <= m_iMin) return;
      v = std::max(m_iMin, v - (part == kDecrement ? m_param.lineStep : m_param.pageStep));
      break;
    case kIncrement:
    case kPageAfter:
      if (v >= m_iMax) return;
      v = std::min(m_iMax, v + (part == kIncrement ? m_param.lineStep : m_param.pageStep));
      break;
    default:
      return;
  }
  m_bDirty = true;
  m_pListener->OnHfcCtrlIntValueChanged(this, v);
}

bool CHfcCtrlScrollBar::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  ReleaseFocus();
  if (m_iMin >= m_iMax) return false;
  pressX_ = x;
  pressY_ = y;
  pressValue_ = m_iValue;
  pressThumb_ = thumbPos_;
  const int part = GetPartCode(x, y);
  if (part == kNone) return false;
  pressed_ = part;
  SetMouseCapture();
  SetMouseCursorForMouseDown();
  repeat_ = 500;
  PartProc(part);
  return true;
}

bool CHfcCtrlScrollBar::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDoubleClick(this, x, y, mods)) return true;
  return OnHfcMouseLButtonDown(m, x, y, mods);
}

void CHfcCtrlScrollBar::OnIdle(int elapsed) {
  if (pressed_ != kNone) {
    repeat_ -= elapsed;
    if (repeat_ < 0) {
      repeat_ = 16;
      if (pressed_ != kThumb) PartProc(pressed_);
    }
  }
  CHfcControl::OnIdle(elapsed);
}

bool CHfcCtrlScrollBar::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture()) return true;
  if (pressed_ == kThumb) {
    const int p = std::clamp(pressThumb_ + (Vertical() ? y - pressY_ : x - pressX_), 0, travel_);
    const int v = std::clamp(PositionToValue(p), m_iMin, m_iMax);
    if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, v);
  }
  return true;
}

bool CHfcCtrlScrollBar::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  ReleaseMouseCapture();
  return true;
}

void CHfcCtrlScrollBar::OnHfcMouseLostCapture(CHfcMouse*) {
  if (pressed_ != kNone) {
    pressed_ = kNone;
    m_bDirty = true;
  }
}

void CHfcCtrlScrollBar::SetIntValue(int v, bool redraw) {
  v = std::clamp(v, m_iMin, std::max(m_iMin, m_iMax));
  const bool changed = v != m_iValue;
  m_iValue = v;
  thumbPos_ = ValueToPosition(v);
  if (changed && redraw) m_bDirty = true;
}

void CHfcCtrlScrollBar::SetMinIntValue(int v, bool redraw) {
  m_iMin = v;
  UpdateScrollerSize();
  if (redraw) m_bDirty = true;
}

void CHfcCtrlScrollBar::SetMaxIntValue(int v, bool redraw) {
  m_iMax = v;
  UpdateScrollerSize();
  if (redraw) m_bDirty = true;
}

void CHfcCtrlScrollBar::SetViewSize(int n, bool redraw) {
  m_param.viewSize = n;
  UpdateScrollerSize();
  if (redraw) m_bDirty = true;
}

void CHfcCtrlScrollBar::SetFrameColor(uint32_t colour, bool redraw) {
  m_param.bodyColour = colour;
  if (redraw) m_bDirty = true;
}

void CHfcCtrlScrollBar::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int l = m_rcFrame.left, t = m_rcFrame.top, w = GetWidth(), h = GetHeight();
  dc->ClearRect(l, t, w, h);
  if (m_param.backColour) {
    dc->SetBrushColor(m_param.backColour);
    dc->FillRect(l, t, w, h);
  }
  if (m_param.background) dc->CopyBmp(l, t, w, h, m_param.background, m_param.backgroundX, m_param.backgroundY);
  const int track = Track();
  const bool enabled = m_iMin < m_iMax;
  if (track > 0) {
    dc->SetBrushColor(m_param.bodyColour);
    if (Vertical()) {
      dc->FillRect(l, t + buttonH_, 1, track);
      dc->FillRect(l + buttonW_ - 1, t + buttonH_, 1, track);
      if (enabled) dc->FillRect(l + 1, t + buttonH_ + thumbPos_, buttonW_ - 2, thumbLength_);
    } else {
      dc->FillRect(l + buttonW_, t, track, 1);
      dc->FillRect(l + buttonW_, t + buttonH_ - 1, track, 1);
      if (enabled) dc->FillRect(l + buttonW_ + thumbPos_, t + 1, thumbLength_, buttonH_ - 2);
    }
  }
  if (!m_param.buttons) return;
  auto frame = [&](int base, int part) { return base + (enabled ? 0 : 2) + (pressed_ == part ? 1 : 0); };
  dc->CopyBmp(l, t, buttonW_, buttonH_, m_param.buttons, 0, frame(0, kDecrement) * buttonH_);
  const int ix = Vertical() ? l : l + w - buttonW_;
  const int iy = Vertical() ? t + h - buttonH_ : t;
  dc->CopyBmp(ix, iy, buttonW_, buttonH_, m_param.buttons, 0, frame(4, kIncrement) * buttonH_);
}
