#include "host/MidiEntryList.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "host/TalvikHostMIDIManagerC.h"
#include "remote/CoreMIDIEndpoint.h"
#include "os/midi/System.h"
#include "platform/NRXException.h"

MidiEntry* midiEntry = nullptr;
int nMidi = 0;
MidiEntry* clockMidiEntry = nullptr;
int nClockMidi = 0;

namespace {

// What was read of one source; it owns the names the entries point to.
struct LocalEntry {
  CFStringRef portName = nullptr;
  CFStringRef deviceName = nullptr;
  int32_t portKind = 4;
  int32_t deviceKey = 0;
  int32_t uniqueID = 0;
  MIDIEndpointRef endpoint = 0;
};

std::vector<LocalEntry> lmidiEntry;
std::vector<MidiEntry> g_inputs;
std::vector<MidiEntry> g_clocks;
std::vector<MIDIEndpointRef> g_lastSources;
std::set<MIDIEndpointRef> g_synthSources;  // of g_lastSources
bool g_lastChangeOnlySynth = false;
bool g_built = false;

int Item(int position) { return position + 2; }

std::string NameOf(CFStringRef s) {
  std::string n = HostStringBytes(s);
  if (n.size() > 1023) n.resize(1023);  // the 1024-byte buffer
  return n;
}

char* DisplayName(const LocalEntry& l) {
  char buf[1024];
  if (l.deviceName)
    std::snprintf(buf, sizeof buf, "%s %s", HostStringBytes(l.deviceName).c_str(),
                  HostStringBytes(l.portName).c_str());
  else
    std::snprintf(buf, sizeof buf, "%s", HostStringBytes(l.portName).c_str());
  const size_t n = std::strlen(buf);
  char* p = static_cast<char*>(std::malloc(n + 1));
  if (!p) throw NRXNullException("displayName", nullptr);
  std::memcpy(p, buf, n + 1);
  return p;
}

MidiEntry EntryFor(const LocalEntry& l) {
  MidiEntry e;
  e.displayName = DisplayName(l);
  e.portName = l.portName;
  e.deviceName = l.deviceName;
  e.enable = 0;
  e.portKind = l.portKind;
  e.deviceKey = l.deviceKey;
  e.entryClass = 1;
  e.uniqueID = l.uniqueID;
  e.endpoint = l.endpoint;
  return e;
}

void Publish() {
  midiEntry = g_inputs.empty() ? nullptr : g_inputs.data();
  nMidi = static_cast<int>(g_inputs.size());
  clockMidiEntry = g_clocks.empty() ? nullptr : g_clocks.data();
  nClockMidi = static_cast<int>(g_clocks.size());
}

bool SameByUniqueID(const MidiEntry& a, const MidiEntry& b) {
  return a.enable == b.enable && a.uniqueID == b.uniqueID && a.reservedA == b.reservedA;
}

bool SameByEndpoint(const MidiEntry& a, const MidiEntry& b) {
  return a.entryClass == b.entryClass && a.enable == b.enable && a.endpoint == b.endpoint &&
         a.reservedB == b.reservedB;
}

int IndexByUniqueID(const std::vector<MidiEntry>& list, const MidiEntry* e) {
  if (!e) return 1;
  for (size_t i = 0; i < list.size(); ++i)
    if (SameByUniqueID(list[i], *e)) return Item(static_cast<int>(i));
  return 1;
}

int IndexByName(const std::vector<MidiEntry>& list, const char* name) {
  if (!name) return 1;
  for (size_t i = 0; i < list.size(); ++i)
    if (NameOf(list[i].portName) == name) return Item(static_cast<int>(i));
  return 1;
}

bool NamesOf(const std::vector<MidiEntry>& list, const MidiEntry* e, CFStringRef* port,
             CFStringRef* device) {
  if (port) *port = nullptr;
  if (device) *device = nullptr;
  if (!e) return false;
  for (const MidiEntry& m : list)
    if (SameByEndpoint(m, *e)) {
      if (port) *port = m.portName;
      if (device) *device = m.deviceName;
      return true;
    }
  return false;
}

}  // namespace

int32_t MidiEntryUniqueID(const std::string& deviceName, const std::string& portName) {
  uint32_t h = 2166136261u;
  auto mix = [&h](const std::string& s) {
    for (unsigned char c : s) {
      h ^= c;
      h *= 16777619u;
    }
    h ^= 0xFF;  // keeps ("ab","c") apart from ("a","bc")
    h *= 16777619u;
  };
  mix(deviceName);
  mix(portName);
  return static_cast<int32_t>(h == 0 ? 1 : h);
}

int MIDIEntry_QSortCompare(const void* a, const void* b) {
  const int32_t ka = static_cast<const MidiEntry*>(a)->deviceKey;
  const int32_t kb = static_cast<const MidiEntry*>(b)->deviceKey;
  return ka < kb ? -1 : ka > kb ? 1 : 0;
}

void getMidiEntry() {
  releaseMidiEntry();
  MIDIEndpointList snapshot;
  const int rebuilt = TalvikHostMIDIManager_RebuildDataList(snapshot);
  if (rebuilt == -1) throw NRXIfNotException("TalvikHostMIDIManager_RebuildDataList", nullptr);
  if (rebuilt != 0) throw NRXMacOSException(rebuilt, "TalvikHostMIDIManager_RebuildDataList");
  os::midi::System& sys = os::midi::System::Current();
  for (int i = 0; i < snapshot.GetSourceCount(); ++i) {
    const MIDIEndpointRef src = snapshot.GetSource(i);
    std::string port;
    if (sys.GetProperty(src, os::midi::Property::kName, &port) != os::midi::kOk) continue;
    LocalEntry l;
    l.endpoint = src;
    l.portName = HostStringCreate(port);
    if (!l.portName) continue;  // a name that is not text is no name
    std::string device;
    if (sys.GetProperty(src, os::midi::Property::kDeviceName, &device) == os::midi::kOk)
      l.deviceName = HostStringCreate(device);
    l.uniqueID = MidiEntryUniqueID(l.deviceName ? device : std::string(), port);
    int type = 0, index = 0;
    if (TalvikHostMIDIManager_GetSourceType(src, type, index) == 0) l.deviceKey = index;
    lmidiEntry.push_back(l);
  }
  for (const LocalEntry& l : lmidiEntry) g_inputs.push_back(EntryFor(l));
  if (!g_inputs.empty())
    std::qsort(g_inputs.data(), g_inputs.size(), sizeof(MidiEntry), MIDIEntry_QSortCompare);
  for (const LocalEntry& l : lmidiEntry) g_clocks.push_back(EntryFor(l));
  g_built = true;
  Publish();
}

void releaseMidiEntry() {
  if (!g_built) return;
  for (MidiEntry& e : g_inputs) std::free(const_cast<char*>(e.displayName));
  for (MidiEntry& e : g_clocks) std::free(const_cast<char*>(e.displayName));
  g_inputs.clear();
  g_clocks.clear();
  for (LocalEntry& l : lmidiEntry) {
    HostStringRelease(l.portName);
    HostStringRelease(l.deviceName);
  }
  lmidiEntry.clear();
  g_built = false;
  Publish();
}

int getMidiIndexByUniqueID(const MidiEntry* e) { return IndexByUniqueID(g_inputs, e); }
int getClockMidiIndexByUniqueID(const MidiEntry* e) { return IndexByUniqueID(g_clocks, e); }

int getMidiIndexByEndpointRef(const MidiEntry* e) {
  if (!e) return 1;
  for (size_t i = 0; i < g_inputs.size(); ++i)
    if (SameByEndpoint(g_inputs[i], *e)) return Item(static_cast<int>(i));
  return 1;
}

int getMidiIndexByName(const char* name) { return IndexByName(g_inputs, name); }
int getClockMidiIndexByName(const char* name) { return IndexByName(g_clocks, name); }

bool getMidiNamesByUniqueID(const MidiEntry* e, CFStringRef* port, CFStringRef* device) {
  return NamesOf(g_inputs, e, port, device);
}

bool getClockMidiNamesByUniqueID(const MidiEntry* e, CFStringRef* port, CFStringRef* device) {
  return NamesOf(g_clocks, e, port, device);
}

int GetClockSourceIndexByMIDIInIndex(int inputIndex) {
  if (inputIndex < 0 || inputIndex >= static_cast<int>(g_inputs.size())) return -1;
  const MidiEntry& in = g_inputs[static_cast<size_t>(inputIndex)];
  if (in.portKind == -1) return -1;
  for (size_t i = 0; i < g_clocks.size(); ++i)
    if (g_clocks[i].endpoint == in.endpoint) return static_cast<int>(i);
  return -1;
}

bool CheckUpdated() {
  os::midi::System& sys = os::midi::System::Current();
  std::vector<MIDIEndpointRef> now;
  const size_t n = sys.SourceCount();
  for (size_t i = 0; i < n; ++i) now.push_back(sys.Source(i));
  const bool changed = now != g_lastSources;
  if (changed) {
    // A port that went can no longer be asked what it was: the
    // synthesizer's ports are noted while they are there.
    std::set<MIDIEndpointRef> synth;
    bool onlySynth = true, any = false;
    for (MIDIEndpointRef e : now) {
      eDevType type;
      const bool isSynth = g_synthSources.count(e) ||
                           (CoreMIDIEndpoint::IsTargetSynthEndpoint(e, type) && type == kDevTypeTarget);
      if (isSynth) synth.insert(e);
      if (std::find(g_lastSources.begin(), g_lastSources.end(), e) == g_lastSources.end()) {
        any = true;
        onlySynth = onlySynth && isSynth;
      }
    }
    for (MIDIEndpointRef e : g_lastSources) {
      if (std::find(now.begin(), now.end(), e) != now.end()) continue;
      any = true;
      onlySynth = onlySynth && g_synthSources.count(e) != 0;
    }
    g_lastChangeOnlySynth = any && onlySynth;
    g_synthSources = std::move(synth);
  }
  g_lastSources = std::move(now);
  return changed;
}

bool LastChangeOnlySynthesizer() { return g_lastChangeOnlySynth; }
