#pragma once
// What the root layer needs of the plug-in object that hosts the editor:
// its product text and bundle version, host automation of panel edits and
// the queue of MIDI the GUI plays to the synthesizer. The plug-in library
// sits above the shell, so it implements this and hands it down.
#include <cstdint>
#include <string>

class IPlugInHost {
 public:
  virtual ~IPlugInHost() = default;
  // Empty when the host reports none.
  virtual std::string GetPlugInProductString() = 0;
  // The bundle's version text as stored ("" without a bundle or key).
  virtual std::string GetPlugInBundleVersion() = 0;
  // Tells the host that automation parameter `index` now holds the integer
  // `value` of a range of `count` steps starting at `minimum`.
  virtual void SetParameterAutomatedFromInt(int index, int value, int count, int minimum) = 0;
  virtual void BeginParameterEdit(int index) = 0;
  virtual void EndParameterEdit(int index) = 0;
  // Queues one message that the GUI plays for the synthesizer.
  virtual void MidiInFromGUI(uint8_t status, uint8_t data1, uint8_t data2) = 0;
};
