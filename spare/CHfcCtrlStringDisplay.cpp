#include "spare/CHfcCtrlStringDisplay.h"

#include <cstdio>
#include <cstring>

#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcOffscreenContext.h"

namespace {
constexpr float kTextSize = 11.0f;
constexpr float kTextBaseline = 10.0f;
}  // namespace

CHfcCtrlStringDisplay::CHfcCtrlStringDisplay() = default;
CHfcCtrlStringDisplay::~CHfcCtrlStringDisplay() = default;

bool CHfcCtrlStringDisplay::Create(const tagHfcCtrlStringDisplayParam* p, int id, int flags) {
  if (!p || p->bufferSize < 1 || p->width <= 0 || p->height <= 0) return false;
  if (!CHfcControl::Create(p->x, p->y, p->width, p->height, id)) return false;
  (void)flags;
  m_param = *p;
  text_.assign(static_cast<size_t>(p->bufferSize), '\0');
  picture_ = std::make_unique<CHfcOffscreenContext>(p->width, p->height);
  if (!picture_->GetBmp()) {
    picture_.reset();
    return false;
  }
  picture_->SetBrushColor(p->background);
  picture_->FillRect(0, 0, p->width, p->height);
  Enable(false);
  return true;
}

void CHfcCtrlStringDisplay::Destroy() {
  text_.clear();
  picture_.reset();
  CHfcControl::Destroy();
}

void CHfcCtrlStringDisplay::Store(const char* text, bool redraw) {
  if (text_.empty()) return;
  std::strncpy(text_.data(), text ? text : "", text_.size() - 1);
  text_.back() = '\0';
  if (redraw) m_bDirty = true;
}

void CHfcCtrlStringDisplay::SetIntValue(int v, bool redraw) {
  m_iValue = v;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d", v);
  Store(buf, redraw);
}

void CHfcCtrlStringDisplay::SetFloatValue(float v, bool redraw) {
  m_fValue = v;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%f", v);
  Store(buf, redraw);
}

void CHfcCtrlStringDisplay::SetPtrValue(void* text, bool redraw) { Store(static_cast<const char*>(text), redraw); }

void CHfcCtrlStringDisplay::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !picture_) return;
  // The fill colour is painted again under every text: cleared once, a
  // display would show its text over whatever lies behind it.
  if (m_param.background != 0) {
    picture_->SetBrushColor(m_param.background);
    picture_->FillRect(0, 0, GetWidth(), GetHeight());
  } else {
    picture_->ClearRect(0, 0, GetWidth(), GetHeight());
  }
  // The text hangs from the top-left corner in the system font: its
  // baseline lies one ascent below the top.
  picture_->SetFont("Lucida Grande", kTextSize);
  picture_->SetBrushColor(0xFF000000);
  picture_->DrawText(0.0f, kTextBaseline, GetText(), std::strlen(GetText()));
  picture_->CopyToContext(dc, m_rcFrame.left, m_rcFrame.top, GetWidth(), GetHeight(), 0, 0);
}
