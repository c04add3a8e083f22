#include "spare/CHfcCtrlAmtKnob.h"

#include <algorithm>
#include <cmath>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "platform/HfcDebug.h"

namespace {
constexpr float kDegToRad = 0.017453292f;
}

bool CHfcCtrlAmtKnob::Create(tagHfcCtrlAmtKnobParam* p, int id, int flags) {
  const bool usable = p && p->skin && p->frames >= 1 && p->maximum > p->minimum &&
                      p->skin->GetWidth() > 0 && p->skin->GetHeight() / p->frames > 0 && p->marginX >= 0 &&
                      p->marginY >= 0;
  if (!usable || !CHfcCtrlKnob::Create(p, id, flags)) {
    HfcDebugPrintf("Failed to call CHfcCtrlKnob::Create().");
    return false;
  }
  marginX_ = p->marginX;
  marginY_ = p->marginY;
  rangeColour_ = p->rangeColour;
  amountColour_ = p->amountColour;
  strip_ = p->skin;
  background_ = p->bgBmp;
  backgroundX_ = p->bgX;
  backgroundY_ = p->bgY;
  frames_ = p->frames;
  imageWidth_ = p->skin->GetWidth();
  imageHeight_ = p->skin->GetHeight() / p->frames;
  Resize(GetWidth() + (p->width == 0 ? 2 * marginX_ : 0), GetHeight() + (p->height == 0 ? 2 * marginY_ : 0), false);
  arcs_[0] = p->minimum;
  arcs_[2] = p->maximum;
  arcs_[1] = arcs_[3] = (p->minimum + p->maximum) / 2;
  return true;
}

int CHfcCtrlAmtKnob::GetArcValue(int which) const { return which >= 0 && which < 4 ? arcs_[which] : 0; }

void CHfcCtrlAmtKnob::SetPtrValue(void* value, bool redraw) {
  const auto* v = static_cast<const tagAmtValue*>(value);
  if (!v || v->which < 0 || v->which > 3) return;
  const bool changed = arcs_[v->which] != v->value;
  arcs_[v->which] = v->value;
  if (redraw && changed) m_bDirty = true;
}

float CHfcCtrlAmtKnob::ValueAngle(int value) const {
  return 240.0f - static_cast<float>(value - m_iMin) * 300.0f / static_cast<float>(m_iMax - m_iMin);
}

int CHfcCtrlAmtKnob::AmtFrameIndex() {
  if (frames_ <= 1) return 0;
  // Counted from the minimum, so a range not starting at 0 uses every frame.
  const float f = static_cast<float>(frames_) * static_cast<float>(m_iValue - m_iMin) /
                      static_cast<float>(m_iMax - m_iMin) -
                  1.0f / static_cast<float>(frames_ - 1);
  return std::clamp(static_cast<int>(std::trunc(f)), 0, frames_ - 1);
}

void CHfcCtrlAmtKnob::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible) return;
  const int l = m_rcFrame.left, t = m_rcFrame.top, r = m_rcFrame.right, b = m_rcFrame.bottom;
  dc->ClearRect(l, t, r - l, b - t);
  const int frame = AmtFrameIndex();
  if (background_) dc->CopyBmp(l, t, r - l, b - t, background_, backgroundX_, backgroundY_);
  const float cx = (l + r - 1) * 0.5f, cy = (t + b - 1) * 0.5f;
  const float radius = static_cast<float>(imageWidth_ / 2);
  const float span = static_cast<float>(m_iMax - m_iMin);
  dc->SetPenWidth(static_cast<float>(2 * marginX_));
  auto arc = [&](int from, int to, uint32_t colour) {
    dc->SetPenColor(colour);
    dc->FrameArc(cx, cy, radius, ValueAngle(from) * kDegToRad,
                 static_cast<float>(to - from) * 300.0f / span * kDegToRad);
  };
  arc(arcs_[0], arcs_[2], rangeColour_);
  arc(arcs_[1], arcs_[3], amountColour_);
  dc->SetPenWidth(1.0f);
  if (strip_)
    dc->CopyBmp(l + marginX_, t + marginY_, imageWidth_, imageHeight_, strip_, 0, frame * imageHeight_);
}
