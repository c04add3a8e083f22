#pragma once
// An application-level event as the framework's application base receives
// it: a command (class 'cmds') or a keyboard event (class 'keyb') with its
// kind, and for commands the command identifier.
#include <cstdint>

constexpr uint32_t HfcFourCC(const char* s) {
  return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) | (uint32_t(uint8_t(s[2])) << 8) |
         uint32_t(uint8_t(s[3]));
}

struct tagHfcAppEvent {
  uint32_t eventClass = 0;
  uint32_t kind = 0;
  uint32_t command = 0;  // the command's identifier, for class 'cmds'
};

struct tagHfcAppEventType {
  uint32_t eventClass;
  uint32_t kind;
};

// The answer of a handler that leaves the event to the next one.
constexpr int kHfcEventNotHandledErr = -9874;
