#pragma once
// What the editor asks of the plug-in, in the two shapes its layers use:
// the root layer's (product text, bundle version, host automation of its
// edits, MIDI for the synthesizer) and the editor window's (the edit
// gestures of its controls, MIDI for the host). Everything here runs on
// the loop thread, where the editor lives.
#include <cstdint>
#include <string>

#include "editor/shell/IPlugInHost.h"
#include "hfc/IHfcVstEditorHost.h"

class QuorelVst;

class QuorelVstEditorLink : public IPlugInHost, public IHfcVstEditorHost {
 public:
  explicit QuorelVstEditorLink(QuorelVst& vst) : vst_(vst) {}
  QuorelVstEditorLink(const QuorelVstEditorLink&) = delete;
  QuorelVstEditorLink& operator=(const QuorelVstEditorLink&) = delete;

  // ---- Loop thread.
  std::string GetPlugInProductString() override;
  // The version file of the bundle folder beside the plug-in (empty
  // without one).
  std::string GetPlugInBundleVersion() override;
  // The row the editor changed now holds value (the image's); the host
  // hears of it and of the rows that moved with it.
  void SetParameterAutomatedFromInt(int index, int value, int count, int minimum) override;
  void BeginParameterEdit(int index) override;
  void EndParameterEdit(int index) override;
  void MidiInFromGUI(uint8_t status, uint8_t data1, uint8_t data2) override;
  // The window's controls bracket a gesture on an automated row.
  bool beginEdit(int index) override;
  bool endEdit(int index) override;
  bool sendVstEventsToHost(const tagHfcVstMidiEvent* events, int count) override;

 private:
  QuorelVst& vst_;
};
