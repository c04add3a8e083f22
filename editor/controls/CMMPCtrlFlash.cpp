#include "editor/controls/CMMPCtrlFlash.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"

CMMPCtrlFlash::~CMMPCtrlFlash() {
  if (IsCreated()) CMMPCtrlFlash::Destroy();
}

bool CMMPCtrlFlash::Create(const tagMMPCtrlFlashParam* p, int id, int flags) {
  if (!p || !p->frames || !p->back || p->frameCount < 1 || p->timePerFrame < 1) return false;
  const int width = p->width != 0 ? p->width : p->frames->GetWidth();
  const int height = p->height != 0 ? p->height : p->frames->GetHeight() / (p->frameCount + 1);
  if (!CHfcControl::Create(p->x, p->y, width, height, id)) return false;
  m_pFrames = p->frames;
  m_iBackX = p->backX;
  m_iBackY = p->backY;
  m_pBack = p->back;
  m_iFrameCount = p->frameCount;
  m_iSecondCount = p->secondCount;
  m_iTimePerFrame = p->timePerFrame;
  m_values.clear();
  if (p->values) m_values.assign(p->values, p->values + p->frameCount);
  m_iRemaining = 0;
  m_iFrame = 0;
  m_iMin = 0;
  m_iMax = m_iFrameCount;
  m_iGroupId = flags;
  Enable(false);
  SetDirty(true);
  return true;
}

void CMMPCtrlFlash::Destroy() {
  m_values.clear();
  CHfcControl::Destroy();
}

void CMMPCtrlFlash::SetIntValue(int value, bool redraw) {
  value = std::clamp(value, 0, m_iFrameCount);
  m_iRemaining = value * m_iTimePerFrame - 1;
  if (redraw && IsEnabled()) SetDirty(true);
}

void CMMPCtrlFlash::OnIdle(int elapsed) {
  if (IsEnabled()) {
    // C++ division truncates towards zero, so -1 / t is 0 as wanted.
    const int frame = m_iRemaining / m_iTimePerFrame;
    if (frame != m_iFrame) {
      m_iFrame = frame;
      SetDirty(true);
    }
  }
  if (m_iRemaining > 0) m_iRemaining = std::max(m_iRemaining - elapsed, 0);
  CHfcControl::OnIdle(elapsed);
}

void CMMPCtrlFlash::OnEnabled() { m_iFrame = m_iRemaining / m_iTimePerFrame; }

void CMMPCtrlFlash::OnDisabled() { m_iFrame = m_iFrameCount; }

int CMMPCtrlFlash::DrawnFrame() const {
  const int height = GetHeight();
  if (!m_pFrames || height <= 0) return 0;
  // The disabled look is the frame after the normal ones; a picture cut
  // into exactly frame-count frames has none, and its last frame stands in.
  const int available = m_pFrames->GetHeight() / height;
  return std::clamp(m_iFrame, 0, std::max(available - 1, 0));
}

void CMMPCtrlFlash::Draw(CHfcDrawContext* dc) {
  if (!dc || !IsVisible()) return;
  const int w = GetWidth();
  const int h = GetHeight();
  dc->ClearRect(m_rcFrame.left, m_rcFrame.top, w, h);
  if (m_pBack) dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, m_pBack, m_iBackX, m_iBackY);
  if (m_pFrames) dc->CopyBmp(m_rcFrame.left, m_rcFrame.top, w, h, m_pFrames, 0, DrawnFrame() * h);
}

bool CMMPCtrlFlash::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  return m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods);
}
