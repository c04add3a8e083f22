#include "plugin/QuorelVstEditorLink.h"

#include "platform/HfcBundle.h"
#include "plugin/QuorelVst.h"

std::string QuorelVstEditorLink::GetPlugInProductString() {
  char text[256] = {};
  return vst_.getProductString(text) ? std::string(text) : std::string();
}

std::string QuorelVstEditorLink::GetPlugInBundleVersion() {
  HfcBundleRef bundle = HfcMacGetBundle();
  if (!bundle) return std::string();
  std::string version = bundle->version();
  bundle->Release();
  return version;
}

void QuorelVstEditorLink::SetParameterAutomatedFromInt(int index, int, int, int) {
  vst_.Automation().ReportEdit(index);
}

void QuorelVstEditorLink::BeginParameterEdit(int index) { beginEdit(index); }

void QuorelVstEditorLink::EndParameterEdit(int index) { endEdit(index); }

void QuorelVstEditorLink::MidiInFromGUI(uint8_t status, uint8_t data1, uint8_t data2) {
  vst_.Midi().MidiInFromGUI(status, data1, data2);
}

bool QuorelVstEditorLink::beginEdit(int index) {
  if (!vst_.Automation().HasRow(index)) return false;
  vst_.Automation().BeginGesture(index);
  return true;
}

bool QuorelVstEditorLink::endEdit(int index) {
  if (!vst_.Automation().HasRow(index)) return false;
  vst_.Automation().EndGesture(index);
  return true;
}

bool QuorelVstEditorLink::sendVstEventsToHost(const tagHfcVstMidiEvent* events, int count) {
  if (!events || count <= 0) return false;
  bool ok = true;
  for (int i = 0; i < count; ++i)
    ok = vst_.Midi().SendToHost(events[i].midiData[0], events[i].midiData[1], events[i].midiData[2]) && ok;
  return ok;
}
