#include "editor/shell/XECommandQueue.h"

void XECommandQueue::PostCommand(const XECommand& command) {
  CHfcCriticalSectionLock lock(m_commandLock);
  m_commands.push_back(command);
}

bool XECommandQueue::PeekCommand(XECommand& out) {
  CHfcCriticalSectionLock lock(m_commandLock);
  if (m_commands.empty()) return false;
  out = m_commands.front();
  m_commands.pop_front();
  return true;
}

size_t XECommandQueue::GetPendingCommandCount() {
  CHfcCriticalSectionLock lock(m_commandLock);
  return m_commands.size();
}
