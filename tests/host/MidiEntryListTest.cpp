#include <gtest/gtest.h>

#include "host/MidiEntryList.h"
#include "host/TalvikHostMIDIManagerC.h"
#include "tests/host/HostMIDIFixture.h"

namespace vesk::test {
namespace {

std::string Name(CFStringRef s) { return HostStringBytes(s); }

class MidiEntryListTest : public HostMIDIFixture {
 protected:
  MidiEntryListTest() { CheckUpdated(); }
  ~MidiEntryListTest() override {
    releaseMidiEntry();
    TalvikHostMIDIManager_Finalize();
  }
  os::midi::VirtualBus::DeviceDesc Desc(const std::string& device, const std::string& port,
                                        bool hasDevice = true) {
    os::midi::VirtualBus::DeviceDesc d;
    d.deviceName = device;
    d.hasDevice = hasDevice;
    d.sourceName = port;
    d.destinationName = port;
    return d;
  }
};

TEST_F(MidiEntryListTest, NoSourcesGiveEmptyListsAndTheNoneItem) {
  ASSERT_EQ(TalvikHostMIDIManager_Initialize(client.get(), &component, nullptr), 0);
  EXPECT_FALSE(CheckUpdated());
  getMidiEntry();
  EXPECT_EQ(nMidi, 0);
  EXPECT_EQ(nClockMidi, 0);
  MidiEntry any;
  EXPECT_EQ(getMidiIndexByUniqueID(&any), 1);
  EXPECT_EQ(getMidiIndexByUniqueID(nullptr), 1);
  EXPECT_EQ(getClockMidiIndexByUniqueID(&any), 1);
  EXPECT_EQ(getMidiIndexByEndpointRef(&any), 1);
  EXPECT_EQ(getMidiIndexByName("KEYS"), 1);
  CFStringRef marker = HostStringCreate("x");
  CFStringRef port = marker, device = marker;
  EXPECT_FALSE(getMidiNamesByUniqueID(&any, &port, &device));
  HostStringRelease(marker);
  EXPECT_EQ(port, nullptr);
  EXPECT_EQ(device, nullptr);
  EXPECT_EQ(GetClockSourceIndexByMIDIInIndex(0), -1);
  releaseMidiEntry();
  releaseMidiEntry();  // nothing to free twice
}

TEST_F(MidiEntryListTest, InputsInManagerOrderClocksInSystemOrder) {
  ASSERT_EQ(TalvikHostMIDIManager_Initialize(client.get(), &component, nullptr), 0);
  auto keys = bus.AddDevice(Desc("Keyboard", "KEYS"));
  SimController& pad = AddController(ControllerModel::kFirstFamily, {}, "Pad");
  auto bare = bus.AddDevice(Desc("", "LOOSE", false));
  auto twin = bus.AddDevice(Desc("Other", "KEYS"));
  EXPECT_TRUE(CheckUpdated());
  EXPECT_FALSE(CheckUpdated());
  getMidiEntry();

  ASSERT_EQ(nMidi, 6);
  ASSERT_EQ(nClockMidi, 6);
  // Clock list: the system's order.
  const MIDIEndpointRef order[] = {keys->source(), pad.PortASource(), pad.ExclusiveSource(),
                                   pad.PortBSource(), bare->source(), twin->source()};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(clockMidiEntry[i].endpoint, order[i]) << i;
  // Input list: ascending manager index (the pad's three ports are 1, the
  // generic ones 1, 2, 3 in list order); equal keys in no particular order.
  for (int i = 1; i < nMidi; ++i) EXPECT_LE(midiEntry[i - 1].deviceKey, midiEntry[i].deviceKey);
  EXPECT_EQ(midiEntry[nMidi - 1].endpoint, twin->source());
  EXPECT_EQ(midiEntry[nMidi - 1].deviceKey, 3);

  const MidiEntry& k = clockMidiEntry[0];
  EXPECT_STREQ(k.displayName, "Keyboard KEYS");
  EXPECT_EQ(Name(k.portName), "KEYS");
  EXPECT_EQ(Name(k.deviceName), "Keyboard");
  EXPECT_EQ(k.portKind, 4);
  EXPECT_EQ(k.entryClass, 1);
  EXPECT_EQ(k.enable, 0);
  EXPECT_NE(k.uniqueID, 0);
  EXPECT_STREQ(clockMidiEntry[4].displayName, "LOOSE");  // no device: port name alone
  EXPECT_EQ(clockMidiEntry[4].deviceName, nullptr);
  EXPECT_STREQ(clockMidiEntry[2].displayName, "Pad CTRL");

  // Same name twice: the first in list order.
  const int byName = getMidiIndexByName("KEYS");
  EXPECT_EQ(midiEntry[byName - 2].endpoint, keys->source());
  EXPECT_EQ(getClockMidiIndexByName("KEYS"), 2);
  EXPECT_EQ(getClockMidiIndexByName("KEY"), 1);

  // The same port at different positions in the two lists.
  for (int i = 0; i < nMidi; ++i) {
    const int c = GetClockSourceIndexByMIDIInIndex(i);
    ASSERT_GE(c, 0);
    EXPECT_EQ(clockMidiEntry[c].endpoint, midiEntry[i].endpoint);
  }
  EXPECT_EQ(GetClockSourceIndexByMIDIInIndex(6), -1);
  EXPECT_EQ(GetClockSourceIndexByMIDIInIndex(-1), -1);
  midiEntry[0].portKind = -1;
  EXPECT_EQ(GetClockSourceIndexByMIDIInIndex(0), -1);

  // A stored entry is found again after a restart by its unique ID, whatever
  // its endpoint holds; by endpoint only within one run.
  const MidiEntry::Record stored = clockMidiEntry[5].Serialize();
  MidiEntry restored = MidiEntry::Parse(stored.data());
  restored.endpoint = 0xDEAD;
  EXPECT_EQ(getClockMidiIndexByUniqueID(&restored), 7);
  EXPECT_EQ(getMidiIndexByEndpointRef(&restored), 1);
  CFStringRef port = nullptr, device = nullptr;
  EXPECT_FALSE(getClockMidiNamesByUniqueID(&restored, &port, &device));
  restored.endpoint = twin->source();
  EXPECT_EQ(midiEntry[getMidiIndexByEndpointRef(&restored) - 2].endpoint, twin->source());
  ASSERT_TRUE(getClockMidiNamesByUniqueID(&restored, &port, &device));
  EXPECT_EQ(Name(port), "KEYS");
  EXPECT_EQ(Name(device), "Other");
  EXPECT_NE(clockMidiEntry[5].uniqueID, clockMidiEntry[0].uniqueID);  // same port name
}

TEST_F(MidiEntryListTest, ChangesOfTheSourcesAreNoticed) {
  auto a = bus.AddDevice(Desc("A", "ONE"));
  EXPECT_TRUE(CheckUpdated());
  EXPECT_FALSE(CheckUpdated());
  auto b = bus.AddDevice(Desc("B", "TWO"));
  EXPECT_TRUE(CheckUpdated());
  a->Unplug();
  EXPECT_TRUE(CheckUpdated());
  EXPECT_FALSE(CheckUpdated());
  // Without a manager the list cannot be built.
  EXPECT_THROW(getMidiEntry(), NRXException);
}

}  // namespace
}  // namespace vesk::test
