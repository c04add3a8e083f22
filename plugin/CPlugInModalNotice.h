#pragma once
// What the plug-in tells its host of its modal runs (its questions, menus,
// progress and file dialogs) when it runs a loop of its own. The standalone
// program opens the plug-in from its own copy of the code, so it cannot see
// them: a question of the plug-in's would leave the program's menus and
// settings window taking input. Each change goes through the host callback
// as audioMasterVendorSpecific with index kIndex and value Encode(state);
// a host that does not know it answers 0 and nothing else happens.
#include <cstdint>

#include "os/window/Window.h"

struct CPlugInModalNotice {
  static constexpr int32_t kIndex = 0x566B4D64;  // 'VkMd'

  // Any thread. Runs in the low 16 bits, questions in the 16 above.
  static intptr_t Encode(const os::Window::ModalState& state) {
    return static_cast<intptr_t>((state.runs & 0xFFFF) | (state.questions & 0xFFFF) << 16);
  }
  static os::Window::ModalState Decode(intptr_t value) {
    os::Window::ModalState state;
    state.runs = static_cast<int>(value & 0xFFFF);
    state.questions = static_cast<int>(value >> 16 & 0xFFFF);
    return state;
  }
};
