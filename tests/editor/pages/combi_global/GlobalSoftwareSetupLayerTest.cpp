// The software set-up page: the rules of its MIDI port lists, choices that
// store the port for the model's next connection, and the filter boxes.
#include <gtest/gtest.h>

#include "editor/controls/XEDropdownList.h"
#include "editor/pages/combi_global/GlobalSoftwareSetupLayer.h"
#include "editor/shell/XESynthUtils.h"
#include "model/ISection.h"
#include "model/MIDIDevKey.h"
#include "os/midi/VirtualBus.h"
#include "tests/editor/pages/combi_global/CombiGlobalTestKit.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace {

using namespace combitest;
using Ports = std::vector<std::string>;

constexpr int kInName = GlobalSoftwareSetupLayer::kMIDIInNameId;
constexpr int kOutName = GlobalSoftwareSetupLayer::kMIDIOutNameId;

TEST(GlobalSoftwareSetupPortListTest, ItemsFollowTheConnectionAndTheStoredName) {
  const Ports ports = {"Alpha", "Beta", "Beta", "Gamma"};
  struct Case {
    const char* what;
    std::string connected;
    std::string stored;
    Ports items;
    std::vector<int> mapped;
    int selection;
  } cases[] = {
      {"not connected, nothing stored", "", "", {"(none)", "Alpha", "Beta", "Beta", "Gamma"}, {-1, 0, 1, 2, 3}, 0},
      {"not connected, stored port present", "", "Beta",
       {"Alpha", "Beta (not connected)", "Beta", "Gamma"}, {0, 1, 2, 3}, 1},
      {"not connected, stored port gone", "", "Delta",
       {"Delta (not connected)", "Alpha", "Beta", "Beta", "Gamma"}, {-1, 0, 1, 2, 3}, 0},
      {"connected: the later of two equal names", "Beta", "Alpha", {"Alpha", "Beta", "Beta", "Gamma"}, {0, 1, 2, 3}, 2},
      {"connected to a port no longer listed", "Omega", "", {"Alpha", "Beta", "Beta", "Gamma"}, {0, 1, 2, 3}, 0},
  };
  for (const Case& c : cases) {
    const auto list = GlobalSoftwareSetupLayer::BuildPortList(ports, c.connected, c.stored);
    EXPECT_EQ(list.items, c.items) << c.what;
    EXPECT_EQ(list.ports, c.mapped) << c.what;
    EXPECT_EQ(list.selection, c.selection) << c.what;
  }
  const auto empty = GlobalSoftwareSetupLayer::BuildPortList({}, "", "");
  EXPECT_EQ(empty.items, Ports{"(none)"});
}

class SoftwareSetupPage : public ::testing::Test {
 protected:
  void SetUp() override {
    page.SetBackgroundBmp(back.get());
    ASSERT_TRUE(h.AddPage(page));
  }
  void TearDown() override { h.DestroyPage(page); }

  static Ports Items(XEDropdownList* list) {
    Ports out;
    std::string text;
    for (int i = 0; list->GetItemText(text, i); ++i) out.push_back(text);
    return out;
  }
  int IndexOf(XEDropdownList* list, const std::string& text) {
    const Ports items = Items(list);
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i] == text) return static_cast<int>(i);
    return -1;
  }
  Oskend::ISection* SetupSection() { return h.synth()->GetSetup(); }
  // The model lists the ports it found when it last connected.
  void Reconnect() {
    h.model().Disconnect();
    h.Idle(100);
    ASSERT_TRUE(h.model().Connect(false, true));
    h.RunFor(500);
    h.Idle();
  }
  os::midi::VirtualBus& Bus() {
    return static_cast<os::midi::VirtualBus&>(os::midi::System::Current());
  }

  PageHarness h;
  std::unique_ptr<CHfcBmp> back = PageBackground();
  GlobalSoftwareSetupLayer page{h.synth()};
};

TEST_F(SoftwareSetupPage, ConnectedListsHoldThePortsWithTheConnectedOneSelected) {
  MIDIDevKey in, out;
  h.synth()->GetMIDIConnectionState(&in, &out, nullptr, nullptr, nullptr);
  ASSERT_FALSE(out.name.empty());
  XEDropdownList* outs = page.GetMIDIOutList();
  XEDropdownList* ins = page.GetMIDIInList();
  ASSERT_NE(outs, nullptr);
  ASSERT_NE(ins, nullptr);
  EXPECT_EQ(outs->GetItemCount(), XESynthUtils::GetMIDIOutEntrySize(h.synth()));
  EXPECT_EQ(ins->GetItemCount(), XESynthUtils::GetMIDIInEntrySize(h.synth()));
  std::string shown;
  ASSERT_TRUE(outs->GetItemText(shown, outs->GetIntValue()));
  EXPECT_EQ(shown, out.name);
  ASSERT_TRUE(ins->GetItemText(shown, ins->GetIntValue()));
  EXPECT_EQ(shown, in.name);
}

TEST_F(SoftwareSetupPage, APortNamedLikeTheListsRemarksIsStoredAsAnyOther) {
  os::midi::VirtualBus::DeviceDesc odd;
  odd.deviceName = "Spare";
  odd.sourceName = "Thru (none)";
  odd.destinationName = "Out (none)";
  odd.manufacturer = "TAVO";
  odd.model = "Vesk";
  auto device = Bus().AddDevice(odd);
  Reconnect();
  int oddOut = -1;
  for (int i = 0; i < XESynthUtils::GetMIDIOutEntrySize(h.synth()); ++i)
    if (XESynthUtils::GetMIDIOutName(h.synth(), i).find("(none)") != std::string::npos) oddOut = i;
  ASSERT_GE(oddOut, 0) << "the spare port is listed";
  const std::string oddName = XESynthUtils::GetMIDIOutName(h.synth(), oddOut);
  XEDropdownList* outs = page.GetMIDIOutList();
  const int item = IndexOf(outs, oddName);
  ASSERT_GE(item, 0);
  page.OnHfcCtrlIntValueChanged(outs, item);
  EXPECT_EQ(SetupSection()->GetParamS(kOutName), oddName);
}

TEST(SoftwareSetupOfflineTest, NoneIsListedFirstAndChoosingItStoresNothing) {
  PageHarness::Options offline;
  offline.connect = false;
  PageHarness h(offline);
  auto& bus = static_cast<os::midi::VirtualBus&>(os::midi::System::Current());
  os::midi::VirtualBus::DeviceDesc port;
  port.deviceName = "Desk";
  auto device = bus.AddDevice(port);
  h.Idle(100);
  Oskend::ISection* setup = h.synth()->GetSetup();
  ASSERT_NE(setup, nullptr);
  setup->PutParamS(kOutName, "");
  auto back = PageBackground();
  GlobalSoftwareSetupLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  XEDropdownList* outs = page.GetMIDIOutList();
  std::string first;
  ASSERT_TRUE(outs->GetItemText(first, 0));
  EXPECT_EQ(first, "(none)");
  EXPECT_EQ(outs->GetIntValue(), 0);
  EXPECT_EQ(outs->GetItemCount(), XESynthUtils::GetMIDIOutEntrySize(h.synth()) + 1);
  page.OnHfcCtrlIntValueChanged(outs, 0);
  EXPECT_EQ(setup->GetParamS(kOutName), "");

  // A stored port that is gone leads the list, marked, and stays stored
  // when chosen.
  setup->PutParamS(kOutName, "Gone Port");
  page.UpdateMIDIOutDevice();
  ASSERT_TRUE(outs->GetItemText(first, 0));
  EXPECT_EQ(first, "Gone Port (not connected)");
  page.OnHfcCtrlIntValueChanged(outs, 0);
  EXPECT_EQ(setup->GetParamS(kOutName), "Gone Port");
  h.DestroyPage(page);
}

// The page does not connect by itself: the model takes the stored ports as
// its preferred ones when it next connects, and the lists follow the
// connection.
TEST_F(SoftwareSetupPage, ThePortsChosenAreTheOnesTheModelConnectsToNext) {
  MIDIDevKey in, out;
  h.synth()->GetMIDIConnectionState(&in, &out, nullptr, nullptr, nullptr);
  ASSERT_FALSE(out.name.empty());
  const std::string outName = out.name;
  const std::string inName = in.name;
  SetupSection()->PutParamS(kOutName, "Gone Out");
  SetupSection()->PutParamS(kInName, "Gone In");
  h.model().Disconnect();
  h.Idle(100);
  XEDropdownList* outs = page.GetMIDIOutList();
  XEDropdownList* ins = page.GetMIDIInList();
  EXPECT_EQ(Items(outs).front(), "Gone Out (not connected)");
  EXPECT_EQ(outs->GetIntValue(), 0);

  page.OnHfcCtrlIntValueChanged(outs, IndexOf(outs, outName));
  page.OnHfcCtrlIntValueChanged(ins, IndexOf(ins, inName));
  EXPECT_EQ(SetupSection()->GetParamS(kOutName), outName);
  EXPECT_EQ(SetupSection()->GetParamS(kInName), inName);

  ASSERT_TRUE(h.model().Connect(false, true));
  h.RunFor(500);
  h.Idle();
  h.synth()->GetMIDIConnectionState(&in, &out, nullptr, nullptr, nullptr);
  EXPECT_EQ(out.name, outName);
  EXPECT_EQ(in.name, inName);
  std::string shown;
  ASSERT_TRUE(outs->GetItemText(shown, outs->GetIntValue()));
  EXPECT_EQ(shown, outName);
  EXPECT_EQ(Items(outs).size(), static_cast<size_t>(XESynthUtils::GetMIDIOutEntrySize(h.synth())));
}

TEST_F(SoftwareSetupPage, TheAllFilterDisablesTheOthersAfterTheSectionReinitialises) {
  constexpr int kAll = static_cast<int>(0x80008100u);
  constexpr int kProg = static_cast<int>(0x80008200u);
  constexpr int kProgA = static_cast<int>(0x80008300u);
  CHfcControl* all = page.GetControlById(kAll);
  ASSERT_NE(all, nullptr);
  SetupSection()->PutParamI(kProg, 1);
  SetupSection()->PutParamI(kAll, 0);
  h.Idle(10);
  EXPECT_TRUE(page.GetControlById(kProg)->IsEnabled());
  EXPECT_TRUE(page.GetControlById(kProgA)->IsEnabled());
  page.OnHfcCtrlIntValueChanged(all, static_cast<int>(0x80000000u));  // press
  h.Idle(10);
  EXPECT_EQ(SetupSection()->GetParamI(kAll), 1);
  EXPECT_FALSE(page.GetControlById(kProg)->IsEnabled());
  EXPECT_FALSE(page.GetControlById(kProgA)->IsEnabled());
  EXPECT_EQ(page.GetControlById(GlobalPageLayerBase::kDumpSwitchId), nullptr);
}

TEST_F(SoftwareSetupPage, TheAutomaticLoadIsLockedVisiblyByAllAndTickedWithoutIt) {
  constexpr int kAll = static_cast<int>(0x80008100u);
  constexpr int kAutoLoad = static_cast<int>(0x8000aa00u);
  auto click = [&](int id) {
    h.ClickOn(page, *page.GetControlById(id));
    h.Idle(10);
  };
  CHfcControl* box = page.GetControlById(kAutoLoad);
  CHfcControl* caption = page.GetControlById(kAutoLoad + XESynthLayer::kLabelIdOffset);
  ASSERT_NE(box, nullptr);
  ASSERT_NE(caption, nullptr);
  ASSERT_EQ(SetupSection()->GetParamI(kAll), 1);
  EXPECT_FALSE(box->IsEnabled());
  EXPECT_FALSE(caption->IsEnabled());
  click(kAutoLoad);
  EXPECT_EQ(SetupSection()->GetParamI(kAutoLoad), 0);

  click(kAll);
  ASSERT_EQ(SetupSection()->GetParamI(kAll), 0);
  EXPECT_TRUE(box->IsEnabled());
  EXPECT_TRUE(caption->IsEnabled());
  click(kAutoLoad);
  EXPECT_EQ(SetupSection()->GetParamI(kAutoLoad), 1);
  EXPECT_EQ(box->GetIntValue(), 1);
}

}  // namespace
