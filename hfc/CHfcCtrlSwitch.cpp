#include "hfc/CHfcCtrlSwitch.h"

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcMouse.h"

CHfcCtrlSwitch::~CHfcCtrlSwitch() = default;

bool CHfcCtrlSwitch::CreateCommon(tagHfcCtrlSwitchParam* p, int id, int userValue, bool oneFrame,
                                  bool disabledFrame) {
  if (!p || !p->skin || p->states < 1) return false;
  const int frames = (p->states + (disabledFrame ? 1 : 0)) * (oneFrame ? 1 : 2);
  const int width = p->width != 0 ? p->width : p->skin->GetWidth();
  const int height = p->height != 0 ? p->height : p->skin->GetHeight() / frames;
  if (!CHfcControl::Create(p->x, p->y, width, height, id)) return false;
  m_pSkin = p->skin;
  m_pBgBmp = p->bgBmp;
  m_iBgX = p->bgX;
  m_iBgY = p->bgY;
  m_iStates = p->states;
  m_bOneFramePerState = oneFrame;
  m_bDisabledFrame = disabledFrame;
  m_iFrames = frames;
  m_uPressed = 0;
  SetMinIntValue(0, true);
  SetMaxIntValue(p->states - 1, true);
  SetGroupId(userValue);
  Enable(true);
  m_bSpaceKey = true;
  return true;
}

bool CHfcCtrlSwitch::Create(tagHfcCtrlSwitchParam* p, int id, int userValue) {
  return CreateCommon(p, id, userValue, false, false);
}

bool CHfcCtrlSwitch::CreateEx(tagHfcCtrlSwitchParamEx* p, int id, int userValue) {
  if (!p) return false;
  return CreateCommon(p, id, userValue, p->oneFramePerState != 0, p->disabledFrame != 0);
}

void CHfcCtrlSwitch::Initialize() {
  m_pSkin = nullptr;
  m_pBgBmp = nullptr;
  m_iBgX = m_iBgY = 0;
  m_iStates = 0;
  m_bOneFramePerState = m_bDisabledFrame = m_bSpaceKey = false;
  m_iFrames = 0;
  m_uPressed = 0;
}

void CHfcCtrlSwitch::Destroy() {
  CHfcControl::Destroy();
  Initialize();
}

void CHfcCtrlSwitch::SetIntValue(int value, bool redraw) {
  const uint32_t pressed = value < 0 ? kPressed : 0;
  const int clamped = ClipIntValueRange(value);
  const bool changed = pressed != m_uPressed || clamped != m_iValue;
  m_uPressed = pressed;
  m_iValue = clamped;
  if (changed && redraw) m_bDirty = true;
}

int CHfcCtrlSwitch::GetFrameIndex() const {
  if (!m_bEnabled && m_bDisabledFrame) return m_bOneFramePerState ? m_iStates : 2 * m_iStates;
  if (m_bOneFramePerState) return m_iValue;
  return 2 * m_iValue + (m_uPressed ? 1 : 0);
}

void CHfcCtrlSwitch::DrawFrame(CHfcDrawContext* dc, bool clearFirst) {
  const int x = m_rcFrame.left;
  const int y = m_rcFrame.top;
  const int w = GetWidth();
  const int h = GetHeight();
  if (clearFirst || !m_pBgBmp) dc->ClearRect(x, y, w, h);
  if (m_pBgBmp) dc->CopyBmp(x, y, w, h, m_pBgBmp, m_iBgX, m_iBgY);
  const int f = GetFrameIndex();
  if (m_bEnabled)
    dc->CopyBmp(x, y, w, h, m_pSkin, 0, f * h);
  else
    dc->CopyBmpAlpha(x, y, w, h, m_pSkin, m_bDisabledFrame ? 1.0f : m_fDisabledAlpha, 0, f * h);
}

void CHfcCtrlSwitch::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || !m_pSkin) return;
  DrawFrame(dc, false);
  if (IsFocused()) DrawFocus(dc);
}

bool CHfcCtrlSwitch::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (!m_bEnabled) return false;
  if (!m_pListener) return true;
  if (m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods) || !m_pListener) return true;
  if (m_bFocusOnClick)
    SetFocus(0);
  else
    ReleaseFocus(nullptr);
  SetMouseCapture();
  SetMouseCursorForMouseDown();
  m_uPressed = kPressed;
  m_bDirty = true;
  m_pListener->OnHfcCtrlBeginEdit(this);
  if (m_pListener)
    m_pListener->OnHfcCtrlIntValueChanged(this, static_cast<int>(GetIntValue() | kPressed));
  return true;
}

bool CHfcCtrlSwitch::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  return OnHfcMouseLButtonDown(m, x, y, mods);
}

bool CHfcCtrlSwitch::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  if (!HoldsMouseCapture()) return false;
  ReleaseMouseCapture();
  return true;
}

void CHfcCtrlSwitch::OnHfcMouseLostCapture(CHfcMouse*) {
  m_uPressed = 0;
  m_bDirty = true;
  if (m_pListener) m_pListener->OnHfcCtrlIntValueChanged(this, GetIntValue());
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
}

bool CHfcCtrlSwitch::OnHfcMouseRButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseRButtonDown(this, x, y, mods);
  return true;
}

bool CHfcCtrlSwitch::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener) m_pListener->OnHfcCtrlMouseMove(this, x, y, mods);
  return true;
}

bool CHfcCtrlSwitch::OnKeyChar(int chr) {
  if (m_bSpaceKey && !HoldsMouseCapture() && chr == 32 && m_pListener)
    m_pListener->OnHfcCtrlIntValueChanged(this, static_cast<int>(GetIntValue() | kPressed));
  return false;
}
