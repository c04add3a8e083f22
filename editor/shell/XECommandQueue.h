#pragma once
// The root layer's list of pending commands: first in, first out, guarded
// by its own lock so any thread may post. Pages find the root layer as an
// XECommandQueue and post to it.
#include <list>

#include "editor/shell/XECommand.h"
#include "platform/CHfcCriticalSection.h"

class XECommandQueue {
 public:
  virtual ~XECommandQueue() = default;
  void PostCommand(const XECommand& command);
  // Takes the first command; false (argument untouched) when none.
  bool PeekCommand(XECommand& out);
  size_t GetPendingCommandCount();

 private:
  std::list<XECommand> m_commands;
  CHfcCriticalSection m_commandLock;
};
