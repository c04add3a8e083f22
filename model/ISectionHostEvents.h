#pragma once
// The remote synthesizer's operations that sections call besides the host
// proxy. The model implements it next to IHostProxy; a section reaches it
// by asking its host proxy and makes no call when the host lacks it.

namespace Oskend {

class ISectionHostEvents {
 public:
  virtual ~ISectionHostEvents() = default;
  // Tells the plug-in (through the main thread) that an automatable value
  // changed: the 16-bit PID and the 16-bit value.
  virtual void NeedAutomationAPI(short pid, short value) = 0;
  virtual void SetMIDIOUTtoDAW(bool on) = 0;
  virtual void SetPrgChgToGUI(bool on) = 0;
};

}  // namespace Oskend
