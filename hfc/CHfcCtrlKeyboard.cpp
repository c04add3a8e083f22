#include "hfc/CHfcCtrlKeyboard.h"

#include <algorithm>

#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcMouse.h"
#include "hfc/CHfcWindowLayer.h"
#include "platform/HfcDebug.h"

namespace {
constexpr uint32_t kNeedsDrawing = 0x80000000u;
}  // namespace

CHfcCtrlKeyboard::~CHfcCtrlKeyboard() = default;

bool CHfcCtrlKeyboard::Create(tagHfcCtrlKeyboardParam* p, int id, int userValue) {
  if (!p || !p->keysBmp) {
    HfcDebugPrintf("CHfcCtrlKeyboard::Create() - %s", p ? "m_pBmpKeys = 0." : "pParam = 0.");
    Destroy();
    return false;
  }
  m_param = *p;
  const int width = p->width != 0 ? p->width : p->keysBmp->GetWidth();
  const int height = p->height != 0 ? p->height : p->keysBmp->GetHeight() / 8;
  if (!CHfcControl::Create(p->x, p->y, width, height, id)) return false;
  SetGroupId(userValue);
  m_iCurrentKey = m_iPreviousKey = kNoKey;
  m_segmentStates.assign(static_cast<size_t>(std::max(p->segmentCount, 0)), kNeedsDrawing);
  Enable(true);
  return true;
}

void CHfcCtrlKeyboard::Destroy() {
  if (m_bCreated) CHfcControl::Destroy();
  m_segmentStates.clear();
  m_bCreated = false;
}

uint32_t CHfcCtrlKeyboard::GetSegmentState(int segment) const {
  return segment >= 0 && segment < static_cast<int>(m_segmentStates.size())
             ? m_segmentStates[static_cast<size_t>(segment)]
             : 0;
}

void CHfcCtrlKeyboard::KeyOn(int key) {
  const int32_t* k = m_param.keys + 4 * key;
  for (int i = 0; i < 2; ++i)
    if (k[i] >= 0 && k[i] < static_cast<int>(m_segmentStates.size()))
      m_segmentStates[static_cast<size_t>(k[i])] |= static_cast<uint32_t>(k[2]) | kNeedsDrawing;
}

void CHfcCtrlKeyboard::KeyOff(int key) {
  const int32_t* k = m_param.keys + 4 * key;
  for (int i = 0; i < 2; ++i)
    if (k[i] >= 0 && k[i] < static_cast<int>(m_segmentStates.size())) {
      uint32_t& s = m_segmentStates[static_cast<size_t>(k[i])];
      s = (s & (static_cast<uint32_t>(k[2]) ^ 7u)) | kNeedsDrawing;
    }
}

void CHfcCtrlKeyboard::SetIntValue(int value, bool redraw) {
  if (!m_param.keys) return;
  const int key = (value & 0x7FFFFFFF) - m_param.lowestNote;
  if (key < 0 || key >= m_param.keyCount) return;
  if (value < 0)
    KeyOn(key);
  else
    KeyOff(key);
  if (redraw) m_bDirty = true;
}

int CHfcCtrlKeyboard::KeyAt(int x, int y) const {
  if (!m_param.hitMap || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return kNoKey;
  return m_param.hitMap[static_cast<size_t>(GetWidth()) * static_cast<size_t>(y) +
                        static_cast<size_t>(x)];
}

int CHfcCtrlKeyboard::GetNoteByPosition(int x, int y) const {
  const int key = KeyAt(x, y);
  return key == kNoKey ? -1 : key;
}

void CHfcCtrlKeyboard::Draw(CHfcDrawContext* dc) {
  if (!dc || !m_bVisible || m_segmentStates.empty() || !m_param.segments) return;
  const int h = GetHeight();
  for (size_t i = 0; i < m_segmentStates.size(); ++i) {
    uint32_t& s = m_segmentStates[i];
    if (!(s & kNeedsDrawing)) continue;
    s &= ~kNeedsDrawing;
    const int left = m_param.segments[4 * i];
    const int right = m_param.segments[4 * i + 2];
    dc->CopyBmp(m_rcFrame.left + left, m_rcFrame.top, right - left, h, m_param.keysBmp, left,
                static_cast<int>(s & 7u) * h);
    m_rcDirty.left = std::min(m_rcDirty.left, left);
    m_rcDirty.right = std::max(m_rcDirty.right, right);
  }
}

void CHfcCtrlKeyboard::Update(bool all, bool flush) {
  m_rcDirty = {GetWidth(), 0, 0, GetHeight()};
  if (all)
    for (uint32_t& s : m_segmentStates) s |= kNeedsDrawing;
  if (!m_pParentLayer) return;
  if (m_bVisible) {
    if (!m_bDirty && !all) return;
    m_bDirty = false;
    Draw(m_pParentLayer->GetDrawContext());
    if (m_rcDirty.right - m_rcDirty.left >= 1) {
      tagHfcRect r{m_rcDirty.left + m_rcFrame.left, m_rcDirty.top + m_rcFrame.top,
                   m_rcDirty.right + m_rcFrame.left, m_rcDirty.bottom + m_rcFrame.top};
      m_pParentLayer->CopyToWindow(&r, flush);
    }
  } else if (m_bErasePending) {
    m_bErasePending = false;
    Erase(m_pParentLayer->GetDrawContext());
    m_pParentLayer->CopyToWindow(&m_rcFrame, flush);
  }
}

void CHfcCtrlKeyboard::ReportNote(int key, bool on) {
  if (!m_pListener) return;
  const uint32_t note = static_cast<uint32_t>(m_param.lowestNote + key) | (on ? kNoteOn : 0u);
  m_pListener->OnHfcCtrlIntValueChanged(this, static_cast<int>(note));
}

bool CHfcCtrlKeyboard::OnHfcMouseLButtonDown(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseLButtonDown(this, x, y, mods)) return true;
  SetMouseCapture();
  SetMouseCursorForMouseDown();
  if (x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return true;
  const int key = KeyAt(x, y);
  m_iCurrentKey = key;
  if (key < kNoKey && m_pListener) {
    m_pListener->OnHfcCtrlBeginEdit(this);
    ReportNote(key, true);
  }
  m_iPreviousKey = key;
  return true;
}

bool CHfcCtrlKeyboard::OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) {
  return OnHfcMouseLButtonDown(m, x, y, mods);
}

bool CHfcCtrlKeyboard::OnHfcMouseMove(CHfcMouse*, int x, int y, int mods) {
  if (m_pListener && m_pListener->OnHfcCtrlMouseMove(this, x, y, mods)) return true;
  if (!HoldsMouseCapture()) return true;
  const int key = KeyAt(x, y);
  m_iCurrentKey = key;
  if (key == m_iPreviousKey) return true;
  // The new note sounds before the old one is let go.
  if (key < kNoKey) ReportNote(key, true);
  if (m_iPreviousKey != kNoKey) ReportNote(m_iPreviousKey, false);
  m_iPreviousKey = key;
  return true;
}

bool CHfcCtrlKeyboard::OnHfcMouseLButtonUp(CHfcMouse*, int, int, int) {
  ReleaseMouseCapture();
  return true;
}

void CHfcCtrlKeyboard::OnHfcMouseLostCapture(CHfcMouse*) {
  if (!m_pListener) return;
  if (m_iCurrentKey != kNoKey) ReportNote(m_iCurrentKey, false);
  m_iCurrentKey = m_iPreviousKey = kNoKey;
  if (m_pListener) m_pListener->OnHfcCtrlEndEdit(this);
}
