#include "host/SettingsDialog.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "host/BufferFrameSize.h"
#include "host/CalcCPULoad.h"
#include "host/FailureReporter.h"
#include "host/HostAlerts.h"
#include "host/HostString.h"
#include "host/MidiEntryList.h"
#include "host/TalvikHostMIDIManagerC.h"
#include "os/SaveFileInFolder.h"
#include "platform/NRXException.h"

namespace {
constexpr uint32_t kPLAY = 0x504C4159, kSTOP = 0x53544F50;
constexpr size_t kMaxPath = 256;

std::string Format(const char* format, double a) {
  char text[64];
  std::snprintf(text, sizeof text, format, a);
  return text;
}
std::string FormatInt(const char* format, int a) {
  char text[64];
  std::snprintf(text, sizeof text, format, a);
  return text;
}
}  // namespace

SettingsDialog::SettingsDialog(AudioGraph& graph) : graph_(graph) {
  for (uint32_t s : {kOUTP, kSTRM, kBFSZ, kCHAN, kCLOK, kKNOB, kfSTO, kbSTO, kOK, kSETU, kCNCL, kMTAB})
    controls_[{s, 0}];
  for (int i = 0; i < 4; ++i) controls_[{kMIDI, i}];
  for (int i = 0; i < 3; ++i) controls_[{kSTTX, i}];
  controls_[{kMTAB, 0}].value = 1;
  DialogControl& knob = controls_[{kKNOB, 0}];
  for (const char* t : {"Circular", "Relative circular", "Linear"}) knob.items.push_back({t, true});
  knob.maximum = 3;
  knob.minimum = 1;
  DialogControl& limit = controls_[{kbSTO, 0}];
  limit.minimum = SaveData::kMinAutoStopLimit;
  limit.maximum = SaveData::kMaxAutoStopLimit;
  controls_[{kfSTO, 0}].maximum = 1;
  controls_[{kOK, 0}].text = "OK";
  controls_[{kSETU, 0}].text = "Apply";
  controls_[{kCNCL, 0}].text = "Cancel";
  graph_.SetOwner(this);
}

DialogControl* SettingsDialog::grabCRef(uint32_t signature, int index) {
  auto it = controls_.find({signature, index});
  return it == controls_.end() ? nullptr : &it->second;
}

const DialogControl* SettingsDialog::Control(uint32_t signature, int index) const {
  auto it = controls_.find({signature, index});
  return it == controls_.end() ? nullptr : &it->second;
}

bool SettingsDialog::SelectPane(int value) {
  grabCRef(kMTAB, 0)->value = value;
  if (value == lastPaneSelected_) return false;
  lastPaneSelected_ = value;
  Changed();
  return true;
}

void SettingsDialog::UserChose(uint32_t signature, int index, int32_t value) {
  if (signature == kMTAB) {
    SelectPane(value);
    return;
  }
  DialogControl* c = grabCRef(signature, index);
  if (!c || !c->enabled) return;
  const bool button = signature == kOK || signature == kSETU || signature == kCNCL;
  if (!button) {
    if (value < c->minimum || value > c->maximum) return;
    // A disabled popup item cannot be chosen.
    if (!c->items.empty() && !c->items[static_cast<size_t>(value) - 1].enabled) return;
    c->value = value;
  }
  eventHandler(signature, index);
}

void SettingsDialog::SliderTracking(uint32_t signature, int32_t value) {
  DialogControl* c = grabCRef(signature, 0);
  if (!c || !c->enabled) return;
  c->value = std::clamp(value, c->minimum, c->maximum);
  // The live actions of the two sliders.
  if (signature == kBFSZ) frameSizeChanged();
  if (signature == kbSTO) grabCRef(kSTTX, 2)->text = AutoStopText(c->value);
  Changed();
}

void SettingsDialog::Changed() {
  if (hooks_.changed) hooks_.changed();
}
void SettingsDialog::Enable(uint32_t command, bool on) {
  if (hooks_.enableCommand) hooks_.enableCommand(command, on);
}
void SettingsDialog::EmptyPopup(uint32_t s, int i) {
  DialogControl* c = grabCRef(s, i);
  c->items.clear();
  c->value = 0;
  c->minimum = c->maximum = 0;
}
void SettingsDialog::AppendItem(uint32_t s, int i, const std::string& text, bool enabled) {
  grabCRef(s, i)->items.push_back({text, enabled});
}
void SettingsDialog::SyncPopup(uint32_t s, int i) {
  DialogControl* c = grabCRef(s, i);
  c->minimum = c->items.empty() ? 0 : 1;
  c->maximum = static_cast<int32_t>(c->items.size());
  // As a control's range does, the new range takes the value with it.
  c->value = std::clamp(c->value, c->minimum, c->maximum);
}
void SettingsDialog::SelectPopupItem(uint32_t s, int i, int item) {
  DialogControl* c = grabCRef(s, i);
  c->value = item >= 1 && item <= static_cast<int>(c->items.size()) ? item : 0;
}
void SettingsDialog::SetItemEnabled(uint32_t s, int i, int item, bool enabled) {
  DialogControl* c = grabCRef(s, i);
  if (item >= 1 && item <= static_cast<int>(c->items.size())) c->items[item - 1].enabled = enabled;
}

int SettingsDialog::SelectedDevice() {
  const int item = Value(kOUTP);
  return item >= 2 && item - 2 < GetDeviceCount() ? item - 2 : -1;
}
int SettingsDialog::SelectedFormat() {
  const int d = SelectedDevice();
  const int item = Value(kSTRM);
  if (d < 0 || item < 1 || item > GetDeviceFormatCount(d)) return -1;
  return item - 1;
}
os::audio::AudioValueRange SettingsDialog::SelectedRange() {
  const int d = SelectedDevice(), f = SelectedFormat();
  if (d < 0 || f < 0) return {0, 0};
  const AudioValueRangeAndLatency& r = gAudioDeviceList[d].formats[f].range;
  return {r.minimum, r.maximum};
}

std::string SettingsDialog::AutoStopText(int limit) {
  char text[5];
  std::snprintf(text, sizeof text, "%d%%", limit);
  return text;
}

void SettingsDialog::eventHandler(uint32_t signature, int index) {
  try {
    switch (signature) {
      case kOUTP: outChanged(Value(kOUTP) - 1, 0); break;
      case kSTRM: streamChanged(); break;
      case kBFSZ:
        gBufferFrameSizeControlUserTouched = true;
        setLatencyString();
        break;
      case kbSTO: grabCRef(kSTTX, 2)->text = AutoStopText(Value(kbSTO)); break;
      case kMIDI:
        if (index >= 0 && index <= 2) {
          const uint64_t keep = SelectedClockEndpoint();
          PortExclusivity(index, Value(kMIDI, index));
          UpdateClockSourcePopup(keep);
        }
        break;
      case kOK:
        setupPressed(true);
        if (hooks_.hideWindow) hooks_.hideWindow();
        break;
      case kSETU: setupPressed(true); break;
      case kCNCL:
        if (hooks_.hideWindow) hooks_.hideWindow();
        recoverAfterCancel();
        break;
      default: break;
    }
  } catch (const std::exception& e) {
    FailureReporter::Report(signature == kOK || signature == kSETU ? "The settings could not be applied."
                                                                   : "The settings window could not follow the change.",
                            FailureReporter::ReasonOf(e));
  }
  Changed();
}

void SettingsDialog::outChanged(int deviceItem, int streamItem) {
  EmptyPopup(kCLOK, 0);
  DialogControl* clock = grabCRef(kCLOK, 0);
  if (Value(kOUTP) <= 1 || SelectedDevice() < 0) {
    clock->enabled = false;
  } else {
    const AudioDeviceID id = gAudioDeviceList[SelectedDevice()].id;
    bool has = false, settable = false;
    Device_IsSupportClockSource(id, has, settable);
    clock->enabled = false;
    if (has) {
      std::vector<uint32_t> ids;
      Device_GetClockSourceIDList(id, ids);
      for (uint32_t c : ids) AppendItem(kCLOK, 0, Device_CopyClockSourceName(id, c));
      SyncPopup(kCLOK, 0);
      clock->enabled = settable;
    }
  }
  if (deviceItem <= 0) {
    grabCRef(kSTTX, 0)->text = "(0)";
    grabCRef(kSTTX, 1)->text = "0.00";
    grabCRef(kBFSZ, 0)->enabled = false;
    EmptyPopup(kSTRM, 0);
    gUnsupportedFormatItemIsAppended = false;
    EmptyPopup(kCHAN, 0);
  } else {
    setStreamPopup(deviceItem, streamItem);
  }
  Changed();
}

void SettingsDialog::setStreamPopup(int deviceItem, int streamItem) {
  EmptyPopup(kSTRM, 0);
  gUnsupportedFormatItemIsAppended = false;
  int firstEnabled = 0;
  const int d = deviceItem - 1;
  if (d >= 0 && d < GetDeviceCount()) {
    const auto& formats = gAudioDeviceList[d].formats;
    for (size_t i = 0; i < formats.size(); ++i) {
      const bool ok = formats[i].format.sampleRate >= 44100 && formats[i].channels >= 2;
      AppendItem(kSTRM, 0, formats[i].name, ok);
      if (ok && !firstEnabled) firstEnabled = static_cast<int>(i) + 1;
    }
  }
  SyncPopup(kSTRM, 0);
  SelectPopupItem(kSTRM, 0, streamItem ? streamItem : firstEnabled);
  gBufferFrameSizeControlUserTouched = false;
  streamChanged();
}

void SettingsDialog::streamChanged() {
  EmptyPopup(kCHAN, 0);
  const int d = SelectedDevice(), f = SelectedFormat();
  if (d >= 0 && f >= 0) {
    const int channels = static_cast<int>(gAudioDeviceList[d].formats[f].channels);
    for (int p = 0; p < channels / 2; ++p) {
      char text[64];
      std::snprintf(text, sizeof text, "Output %d / Output %d", 2 * p + 1, 2 * p + 2);
      AppendItem(kCHAN, 0, text);
    }
    SyncPopup(kCHAN, 0);
    if (channels >= 2) SelectPopupItem(kCHAN, 0, 1);
  }
  updateFrameSizeControl();
}

void SettingsDialog::updateFrameSizeControl() {
  DialogControl* slider = grabCRef(kBFSZ, 0);
  slider->enabled = true;
  const os::audio::AudioValueRange r = SelectedRange();
  uint32_t current = 0;
  if (SelectedFormat() >= 0) {
    os::audio::AudioValueRange own;
    try {
      Device_GetBufferFrameSizeRangeInCurrentFormat(gAudioDeviceList[SelectedDevice()].id, own, current);
    } catch (...) {
      current = static_cast<uint32_t>(gAudioDeviceList[SelectedDevice()].formats[SelectedFormat()].range.defaultFrames);
    }
  }
  const int lo = static_cast<int>(r.minimum), hi = static_cast<int>(r.maximum);
  slider->minimum = 0;
  slider->maximum = BufferFrameSize_GetSliderMaxValue(lo, hi);
  slider->value = BufferFrameSize_BufferSizeToSliderValue(lo, hi, static_cast<int>(current));
  setLatencyString();
}

void SettingsDialog::setLatencyString() {
  const os::audio::AudioValueRange r = SelectedRange();
  int frames = 0;
  double ms = 0;
  if (SelectedFormat() >= 0) {
    frames = BufferFrameSize_SliderValueToBufferSize(static_cast<int>(r.minimum),
                                                     static_cast<int>(r.maximum), Value(kBFSZ));
    const double rate = gAudioDeviceList[SelectedDevice()].formats[SelectedFormat()].format.sampleRate;
    if (rate > 0) ms = frames / rate * 1000.0;
  }
  grabCRef(kSTTX, 0)->text = FormatInt("(%d)", frames);
  grabCRef(kSTTX, 1)->text = Format("%.2f", ms);
}

void SettingsDialog::SetFrameSizeControlByFrameSizeValue(AudioDeviceID, const AudioStreamBasicDescription&,
                                                         uint32_t frames) {
  const os::audio::AudioValueRange r = SelectedRange();
  grabCRef(kBFSZ, 0)->value = BufferFrameSize_BufferSizeToSliderValue(
      static_cast<int>(r.minimum), static_cast<int>(r.maximum), static_cast<int>(frames));
  gBufferFrameSizeControlUserTouched = false;
  setLatencyString();
  currentBufferFrameSize = frames;
}

void SettingsDialog::setOutputPopup() {
  EmptyPopup(kOUTP, 0);
  AppendItem(kOUTP, 0, " -- ");
  for (const OutputDevice& d : gAudioDeviceList) AppendItem(kOUTP, 0, d.name);
  SyncPopup(kOUTP, 0);
  SelectPopupItem(kOUTP, 0, 1);
}

void SettingsDialog::setMidiPopup() {
  for (int i = 0; i < 3; ++i) {
    EmptyPopup(kMIDI, i);
    AppendItem(kMIDI, i, " -- ");
    for (int m = 0; m < nMidi; ++m)
      AppendItem(kMIDI, i, midiEntry[m].displayName ? midiEntry[m].displayName : "");
    SyncPopup(kMIDI, i);
    SelectPopupItem(kMIDI, i, 1);
  }
}

uint64_t SettingsDialog::SelectedClockEndpoint() {
  const int item = Value(kMIDI, 3);
  if (item < 2 || item - 2 >= gMIDIClockSourceIndexCount) return 0;
  const int index = gMIDIClockSourceIndexList[item - 2];
  return index >= 0 && index < nClockMidi ? clockMidiEntry[index].endpoint : 0;
}

void SettingsDialog::UpdateClockSourcePopup(uint64_t endpoint) {
  int indices[3];
  for (int i = 0; i < 3; ++i) {
    const int item = Value(kMIDI, i);
    indices[i] = item >= 2 ? GetClockSourceIndexByMIDIInIndex(item - 2) : -1;
  }
  std::sort(indices, indices + 3);
  EmptyPopup(kMIDI, 3);
  AppendItem(kMIDI, 3, " -- ");
  gMIDIClockSourceIndexCount = 0;
  int selected = 1;
  for (int index : indices) {
    if (index < 0 || index >= nClockMidi) continue;
    AppendItem(kMIDI, 3, clockMidiEntry[index].displayName ? clockMidiEntry[index].displayName : "");
    gMIDIClockSourceIndexList[gMIDIClockSourceIndexCount++] = index;
    if (endpoint && selected == 1 && clockMidiEntry[index].endpoint == endpoint)
      selected = gMIDIClockSourceIndexCount + 1;
  }
  SyncPopup(kMIDI, 3);
  SelectPopupItem(kMIDI, 3, selected);
}

void SettingsDialog::PortExclusivity(int input, int item) {
  if (item >= 2 && item - 2 < nMidi) {
    const MidiEntry& chosen = midiEntry[item - 2];
    for (int j = 0; j < 3; ++j) {
      if (j == input) continue;
      const int other = Value(kMIDI, j);
      if (other < 2 || other - 2 >= nMidi) continue;
      const MidiEntry& o = midiEntry[other - 2];
      bool reset = false;
      if (chosen.portKind == -1)
        reset = o.portKind == -1 || (o.deviceKey == chosen.deviceKey && (o.portKind == 1 || o.portKind == 2));
      else if (chosen.portKind == 1 || chosen.portKind == 2)
        reset = o.deviceKey == chosen.deviceKey && o.portKind == -1;
      if (reset) {
        SelectPopupItem(kMIDI, j, 1);
        lastSelectedMidiIndex[j] = 1;
        for (int k = 0; k < 3; ++k) SetItemEnabled(kMIDI, k, other, true);
      }
    }
  }
  for (int k = 0; k < 3; ++k) {
    if (k == input) continue;
    if (lastSelectedMidiIndex[input] != 1) SetItemEnabled(kMIDI, k, lastSelectedMidiIndex[input], true);
    if (item != 1) SetItemEnabled(kMIDI, k, item, false);
  }
  lastSelectedMidiIndex[input] = item;
}

void SettingsDialog::SetSettingDialogOtherSettings(bool useAutoStop, int limit, int knobMode) {
  grabCRef(kfSTO, 0)->value = useAutoStop ? 1 : 0;
  grabCRef(kbSTO, 0)->value = limit;
  SelectPopupItem(kKNOB, 0, knobMode + 1);
  grabCRef(kSTTX, 2)->text = AutoStopText(limit);
  Changed();
}

void SettingsDialog::recoverAfterCancel() {
  try {
    loadSettings(false);
  } catch (...) {
    SelectPopupItem(kOUTP, 0, 1);
    outChanged(0, 0);
    canPlay = false;
    setLatencyString();
    for (int i = 0; i < 4; ++i) SelectPopupItem(kMIDI, i, 1);
    SetSettingDialogOtherSettings(false, 100, 2);
  }
  Changed();
}

void SettingsDialog::RecoverAfterFailedSelection() {
  recoverAfterCancel();
  setupPressed(false);
}

void SettingsDialog::ShowErrorAlert(const std::string& key, const std::string& detail) {
  FailureReporter::Report(key, detail);
}

bool SettingsDialog::setupPressed(bool save) {
  isSetupPressed = true;
  const int outItem = Value(kOUTP);
  const int slider = Value(kBFSZ);
  const int chanItem = Value(kCHAN);
  DialogControl* clock = grabCRef(kCLOK, 0);
  const int clockIndex = clock->enabled ? clock->value - 1 : -1;
  // An empty channel popup gives -2: no channel is found, the device
  // stays silent.
  const int startingChannel = chanItem * 2 - 2;
  if (gUnsupportedFormatItemIsAppended) {
    DialogControl* s = grabCRef(kSTRM, 0);
    if (!s->items.empty()) s->items.pop_back();
    if (s->value > static_cast<int>(s->items.size())) s->value = 0;
    SyncPopup(kSTRM, 0);
    gUnsupportedFormatItemIsAppended = false;
  }
  for (int i = 0; i < 3; ++i) graph_.AttachMIDISource(i, nullptr);
  graph_.AttachMIDIClockSource(nullptr);
  for (int i = 0; i < 3; ++i) {
    const int item = Value(kMIDI, i);
    if (item >= 2 && item - 2 < nMidi) graph_.AttachMIDISource(i, &midiEntry[item - 2]);
  }
  const int clockItem = Value(kMIDI, 3);
  if (clockItem >= 2 && clockItem - 2 < gMIDIClockSourceIndexCount) {
    const int index = gMIDIClockSourceIndexList[clockItem - 2];
    if (index >= 0 && index < nClockMidi) graph_.AttachMIDIClockSource(&clockMidiEntry[index]);
  }
  graph_.stopGraph();
  if (outItem <= 1 || SelectedDevice() < 0) {
    graph_.graphSetOutputDeviceToNone();
    Enable(kPLAY, true);
    Enable(kSTOP, false);
    canPlay = false;
  } else {
    const OutputDevice& device = gAudioDeviceList[SelectedDevice()];
    const int f = SelectedFormat();
    if (f < 0) throw NRXIfNotException("streamIndex > 0", nullptr);
    const Stream& stream = device.formats[f];
    const int frames = BufferFrameSize_SliderValueToBufferSize(
        static_cast<int>(stream.range.minimum), static_cast<int>(stream.range.maximum), slider);
    currentBufferFrameSize = static_cast<uint32_t>(frames);
    currentStartingChannel = startingChannel;
    const uint32_t clockID = clockIndex == -1 ? 0 : device.clockSourceIDs.at(clockIndex);
    bool cancelled = false, done = false;
    const AudioStreamBasicDescription format = stream.format;
    graph_.graphSetOutputDeviceAndStream(device.id, device.anyRate, &format, frames, -1,
                                         startingChannel, clockIndex != -1, clockID,
                                         !gBufferFrameSizeControlUserTouched, cancelled, done);
    if (!done) return done;
    graph_.startGraph();
    Enable(kSTOP, true);
    Enable(kPLAY, false);
    canPlay = true;
  }
  gUseAutoStop = Value(kfSTO) != 0;
  gStopCPUUsage = Value(kbSTO);
  gKnobMode = Value(kKNOB) - 1;
  CalcCPULoad_SetAutoStop(gUseAutoStop, gStopCPUUsage);
  TalvikHostMIDIManager_SetKnobMode(gKnobMode);
  if (save && isSetupPressed) saveSettings();
  Changed();
  return true;
}

std::string SettingsDialog::getSettingFilePath() {
  std::string folder;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
    folder = x;
  else if (const char* h = std::getenv("HOME"); h && *h)
    folder = std::string(h) + "/.config";
  else
    throw NRXNullException("*cfPrefsDirURL", nullptr);
  const std::string path = folder + "/TAVO Vesk Editor Preferences";
  if (!(path.size() <= kMaxPath))
    throw NRXException("The path of the settings file would be longer than 256 bytes.", nullptr);
  return path;
}

void SettingsDialog::saveSettings() {
  SaveData s;
  const int d = SelectedDevice();
  if (d >= 0) {
    const OutputDevice& device = gAudioDeviceList[d];
    s.outputDeviceName = device.name;
    if (!s.outputDeviceName.empty()) s.streamFormat = *graph_.getCurrentFormat();
    for (int i = 0; i < 4; ++i) {
      MidiEntry e;
      if (i < 3)
        graph_.GetCurrentMIDISource(i, e);
      else
        graph_.GetCurrentMIDIClockSource(e);
      CFStringRef port = nullptr, dev = nullptr;
      const bool found = i < 3 ? getMidiNamesByUniqueID(&e, &port, &dev)
                               : getClockMidiNamesByUniqueID(&e, &port, &dev);
      if (found) {
        s.portName[i] = HostStringBytes(port);
        s.deviceName[i] = HostStringBytes(dev);
      }
      s.entry[i] = e.Serialize();
    }
  }
  s.bufferFrameSize = currentBufferFrameSize;
  s.startingChannel = currentStartingChannel < 0 ? 0 : currentStartingChannel;
  s.version = SaveData::kCurrentVersion;
  s.useAutoStop = gUseAutoStop;
  s.autoStopLimit = gStopCPUUsage;
  s.knobMode = gKnobMode;
  if (d >= 0) {
    bool has = false, settable = false;
    Device_IsSupportClockSource(gAudioDeviceList[d].id, has, settable);
    if (has && settable) Device_GetCurrentClockSourceID(gAudioDeviceList[d].id, s.clockSourceId);
  }
  const std::vector<uint8_t> bytes = s.Serialize();
  std::string path;
  try {
    path = getSettingFilePath();
  } catch (const NRXNullException&) {
    FailureReporter::Report("The settings could not be saved.", "Neither XDG_CONFIG_HOME nor HOME is set.");
    return;
  } catch (const NRXException& e) {
    FailureReporter::Report("The settings could not be saved.", FailureReporter::ReasonOf(e));
    return;
  }
  // A first run on an account without the folder makes it; the file is
  // replaced whole, so a failed write leaves the former settings intact.
  std::string why;
  if (!os::SaveFileInFolder(path, bytes.data(), bytes.size(), &why)) {
    why[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(why[0])));
    FailureReporter::Report("The settings could not be saved.", why + ".");
  }
}

SaveData SettingsDialog::ReadSettingsFile() {
  std::vector<uint8_t> bytes;
  {
    std::ifstream in(getSettingFilePath(), std::ios::binary);
    if (!in) throw NRXNullException("fp", nullptr);
    bytes.resize(SaveData::kSize);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
  }
  SaveData s;
  std::string reason;
  if (!SaveData::Parse(bytes.data(), bytes.size(), &s, &reason))
    throw NRXException(reason.c_str(), nullptr);
  return s;
}

bool SettingsDialog::loadSettings(bool showFormatNote) {
  const SaveData s = ReadSettingsFile();
  int foundDevice = -1;
  bool attention = LoadOutputDevice(s, showFormatNote, &foundDevice);
  attention |= LoadMidiInputs(s);
  attention |= LoadMidiClockSource(s);
  LoadOtherSettings(s);
  LoadDeviceClockSource(s, foundDevice);
  Changed();
  return attention;
}

bool SettingsDialog::LoadOutputDevice(const SaveData& s, bool showFormatNote, int* foundDevice) {
  AudioDeviceID id = 0;
  const int item = s.outputDeviceName.empty() ? 0 : getAudioDeviceIndexByName(s.outputDeviceName.c_str(), &id);
  if (!item) {
    SelectPopupItem(kOUTP, 0, 1);
    outChanged(0, 0);
    canPlay = false;
    return !s.outputDeviceName.empty();
  }
  bool attention = false;
  SelectPopupItem(kOUTP, 0, item);
  *foundDevice = item - 2;
  int stream = getAudioStreamIndexByAudioStreamBasicDescription(id, &s.streamFormat);
  if (!stream) {
    stream = gAudioDeviceList[*foundDevice].formats.empty() ? 0 : 1;
    attention = true;
    if (showFormatNote) ShowNoteAlert("Device format changed");
  }
  outChanged(item - 1, stream);
  if (SelectedFormat() >= 0)
    SetFrameSizeControlByFrameSizeValue(id, gAudioDeviceList[*foundDevice].formats[SelectedFormat()].format,
                                        s.bufferFrameSize);
  const int channels = static_cast<int>(grabCRef(kCHAN, 0)->items.size());
  // A pair the device does not have leaves the channel popup empty:
  // nothing plays rather than a channel outside the device.
  const int chanItem = s.startingChannel / 2 + 1;
  SelectPopupItem(kCHAN, 0, chanItem <= channels ? chanItem : 0);
  return attention;
}

bool SettingsDialog::LoadMidiInputs(const SaveData& s) {
  bool attention = false;
  for (int i = 0; i < 3; ++i) lastSelectedMidiIndex[i] = 1;
  for (int k = 0; k < 3; ++k)
    for (int item = 2; item <= nMidi + 1; ++item) SetItemEnabled(kMIDI, k, item, true);
  for (int i = 0; i < 3; ++i) {
    int item = 1;
    if (!s.portName[i].empty()) {
      MidiEntry stored = MidiEntry::Parse(s.entry[i].data());
      item = s.deviceName[i].empty() ? getMidiIndexByName(s.portName[i].c_str())
                                     : getMidiIndexByUniqueID(&stored);
      if (item <= 1) attention = true;
    }
    SelectPopupItem(kMIDI, i, item);
    if (item >= 2) {
      for (int k = 0; k < 3; ++k)
        if (k != i) SetItemEnabled(kMIDI, k, item, false);
      lastSelectedMidiIndex[i] = item;
    }
  }
  return attention;
}

bool SettingsDialog::LoadMidiClockSource(const SaveData& s) {
  bool attention = false;
  uint64_t clockEndpoint = 0;
  if (!s.portName[3].empty()) {
    MidiEntry stored = MidiEntry::Parse(s.entry[3].data());
    const int item = s.deviceName[3].empty() ? getClockMidiIndexByName(s.portName[3].c_str())
                                             : getClockMidiIndexByUniqueID(&stored);
    if (item >= 2 && item - 2 < nClockMidi)
      clockEndpoint = clockMidiEntry[item - 2].endpoint;
    else
      attention = true;
  }
  UpdateClockSourcePopup(clockEndpoint);
  return attention;
}

void SettingsDialog::LoadOtherSettings(const SaveData& s) {
  gUseAutoStop = false;
  gStopCPUUsage = 100;
  gKnobMode = 2;
  if (s.version >= 2) {
    gUseAutoStop = s.useAutoStop;
    gStopCPUUsage = s.autoStopLimit;
    gKnobMode = s.knobMode;
  }
  SetSettingDialogOtherSettings(gUseAutoStop, gStopCPUUsage, gKnobMode);
}

void SettingsDialog::LoadDeviceClockSource(const SaveData& s, int foundDevice) {
  if (foundDevice < 0 || gAudioDeviceList[foundDevice].clockSourceIDs.empty()) return;
  const uint32_t stored = s.version >= 3 ? s.clockSourceId : 0;
  const auto& ids = gAudioDeviceList[foundDevice].clockSourceIDs;
  int item = 1;
  for (size_t i = 0; i < ids.size(); ++i)
    if (ids[i] == stored) {
      item = static_cast<int>(i) + 1;
      break;
    }
  SelectPopupItem(kCLOK, 0, item);
}

void SettingsDialog::RefreshClockSourcePopup() {
  const AudioDeviceID id = graph_.getCurrentAudioDeviceID();
  if (!id) return;
  uint32_t current = 0;
  Device_GetCurrentClockSourceID(id, current);
  std::vector<uint32_t> ids;
  Device_GetClockSourceIDList(id, ids);
  int item = 1;
  for (size_t i = 0; i < ids.size(); ++i)
    if (ids[i] == current) {
      item = static_cast<int>(i) + 1;
      break;
    }
  SelectPopupItem(kCLOK, 0, item);
  Changed();
}

void SettingsDialog::RefreshDeviceFormat() {
  const AudioDeviceID id = graph_.getCurrentAudioDeviceID();
  if (!id) return;
  uint32_t stream = 0;
  GetFirstStreamID(id, false, stream);
  AudioStreamBasicDescription format;
  GetStreamPhysicalFormat(stream, format);
  const int index = getAudioIndexByAudioDeviceID(id);
  if (format.sampleRate == 0 && index && gAudioDeviceList[index - 1].anyRate)
    GetDeviceCurrentNominalSampleRate(id, format.sampleRate);
  int item = getAudioStreamIndexByAudioStreamBasicDescription(id, &format);
  if (!item) {
    DialogControl* s = grabCRef(kSTRM, 0);
    if (!gUnsupportedFormatItemIsAppended) {
      AppendItem(kSTRM, 0, "Unsupported format", false);
      SyncPopup(kSTRM, 0);
      gUnsupportedFormatItemIsAppended = true;
    }
    item = static_cast<int>(s->items.size());
  }
  SelectPopupItem(kSTRM, 0, item);
  os::audio::AudioValueRange range;
  uint32_t frames = 0;
  Device_GetBufferFrameSizeRangeInCurrentFormat(id, range, frames);
  const os::audio::AudioValueRange r = SelectedRange();
  DialogControl* slider = grabCRef(kBFSZ, 0);
  slider->minimum = 0;
  slider->maximum = BufferFrameSize_GetSliderMaxValue(int(r.minimum), int(r.maximum));
  slider->value = BufferFrameSize_BufferSizeToSliderValue(int(r.minimum), int(r.maximum), int(frames));
  setLatencyString();
  Changed();
}
