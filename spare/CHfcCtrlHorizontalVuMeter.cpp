#include "spare/CHfcCtrlHorizontalVuMeter.h"

#include <algorithm>
#include <cmath>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

const tagHfcCtrlHorizontalVuMeterParam CHfcCtrlHorizontalVuMeter::sm_mInitParam{};

CHfcCtrlHorizontalVuMeter::CHfcCtrlHorizontalVuMeter()
    : CHfcVuMeterBase(-40.0f), m_param(sm_mInitParam) {}

bool CHfcCtrlHorizontalVuMeter::Create(const tagHfcCtrlHorizontalVuMeterParam* p, int id, int flags) {
  if (!p || !p->bar) return false;
  // An empty scale would divide by zero on every draw.
  if (!(p->maximum > p->minimum)) return false;
  m_param = *p;
  if (m_param.width == 0) m_param.width = p->bar->GetWidth();
  if (m_param.height == 0) m_param.height = p->bar->GetHeight();
  if (m_param.width <= 0 || m_param.height <= 0) return false;
  if (!CHfcControl::Create(m_param.x, m_param.y, m_param.width, m_param.height, id)) return false;
  (void)flags;
  StartAtMinimum();
  Enable(false);
  return true;
}

void CHfcCtrlHorizontalVuMeter::OnIdle(int elapsed) {
  Fall(elapsed);
  CHfcControl::OnIdle(elapsed);
}

void CHfcCtrlHorizontalVuMeter::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_param.bar) return;
  const int w = GetWidth(), h = GetHeight();
  const float span = m_param.maximum - m_param.minimum;
  dc->ClearRect(m_rcFrame.left, m_rcFrame.top, w, h);
  if (m_param.background)
    dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, m_param.background, m_param.backgroundX, m_param.backgroundY);
  const int lit = static_cast<int>((m_fValue - m_param.minimum) / span * w);
  if (lit > 0) dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, lit, h, m_param.bar, 0, 0);
  if (m_iHoldLeft > 0) {
    const int p = static_cast<int>(w * (m_fPeak - m_param.minimum) / span);
    if (p > 0) dc->CopyBmp(m_rcFrame.left + p - 1, m_rcFrame.top, 1, h, m_param.bar, p - 1, 0);
  }
}

tagHfcVuMeterScale CHfcCtrlHorizontalVuMeter::Scale() const {
  return {m_param.minimum, m_param.maximum, m_param.scaleMode, m_param.decay, m_param.peakHold};
}
