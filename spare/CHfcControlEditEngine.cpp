#include "spare/CHfcControlEditEngine.h"

#include "platform/HfcTime.h"

CHfcControlEditEngine::CHfcControlEditEngine(CHfcControlEditEngineListener* listener) : m_pListener(listener) {}

void CHfcControlEditEngine::Begin(int x, int y, int, int value) {
  if (m_bIdle) return;
  m_iStartX = x;
  m_iStartY = y;
  m_uStartTime = HfcGetSystemTimeMs();
  m_iStartValue = value;
  m_fStartValue = static_cast<float>(value);
}
