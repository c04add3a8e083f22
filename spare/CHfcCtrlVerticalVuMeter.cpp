#include "spare/CHfcCtrlVerticalVuMeter.h"

#include <algorithm>
#include <cmath>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

CHfcCtrlVerticalVuMeter::CHfcCtrlVerticalVuMeter() : CHfcVuMeterBase(-60.0f), m_param{} {}

bool CHfcCtrlVerticalVuMeter::Create(const tagHfcCtrlVerticalVuMeterParam* p, int id, int flags) {
  if (!p || !p->bar || !(p->maximum > p->minimum)) return false;
  tagHfcCtrlVerticalVuMeterParam param = *p;
  if (param.width == 0) param.width = p->bar->GetWidth();
  if (param.height == 0) param.height = p->bar->GetHeight();
  if (param.width <= 0 || param.height <= 0) return false;
  if (!CHfcControl::Create(param.x, param.y, param.width, param.height, id)) return false;
  (void)flags;
  m_param = param;
  StartAtMinimum();
  Enable(false);
  return true;
}

int CHfcCtrlVerticalVuMeter::LevelPixels(float level) const {
  return static_cast<int>((level - m_param.minimum) / (m_param.maximum - m_param.minimum) * GetWidth());
}

void CHfcCtrlVerticalVuMeter::OnIdle(int elapsed) {
  CHfcControl::OnIdle(elapsed);
  Fall(elapsed);
}

void CHfcCtrlVerticalVuMeter::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_param.bar) return;
  const int l = m_rcFrame.left, t = m_rcFrame.top, w = GetWidth(), h = GetHeight();
  dc->ClearRect(l, t, w, h);
  if (m_param.background) dc->CopyBmp(l, t, w, h, m_param.background, m_param.backgroundX, m_param.backgroundY);
  const int lit = LevelPixels(m_fValue);
  if (lit > 0) dc->CopyBmp(l, t, lit, h, m_param.bar, 0, 0);
  if (m_iHoldLeft > 0) {
    const int p = LevelPixels(m_fPeak);
    if (p > 0) dc->CopyBmp(l + p - 1, t, 1, h, m_param.bar, p - 1, 0);
  }
}

tagHfcVuMeterScale CHfcCtrlVerticalVuMeter::Scale() const {
  return {m_param.minimum, m_param.maximum, m_param.conversion, m_param.fallRate, m_param.peakHold};
}
