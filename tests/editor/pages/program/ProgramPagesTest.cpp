// The program pages in the page harness: each builds its sub-pages and
// carries edits both ways on its first linked control; menus; the
// oscillator mode enabling; key ordering; key entry; section notices from
// another thread waiting for the GUI idle.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <thread>

#include "editor/controls/CTabControl.h"
#include "editor/controls/CXBCtrlTG01FilterGraph.h"
#include "editor/controls/ZubZoneSlopeBar.h"
#include "editor/pages/program/OskendProgPlayLayer.h"
#include "editor/pages/program/ProgAMSMixKTrkLayer.h"
#include "editor/pages/program/ProgAmpLayer.h"
#include "editor/pages/program/ProgBasicLayer.h"
#include "editor/pages/program/ProgFilterLayer.h"
#include "editor/pages/program/ProgInsertFXLayer.h"
#include "editor/pages/program/ProgLFOsLayer.h"
#include "editor/pages/program/ProgMasterFXLayer.h"
#include "editor/pages/program/ProgPitchLayer.h"
#include "editor/pages/program/ProgramPageFactory.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlSlideSwitch.h"
#include "model/ISection.h"
#include "model/paramdesc/SParamDesc.h"
#include "tests/editor/pages/program/ProgramPageKit.h"

namespace {

using namespace progtest;

struct PageCase {
  const char* name;
  int subPages;
  std::function<CTabPageLayer*(Oskend::IRemoteSynth*)> make;
};

const std::vector<PageCase>& Pages() {
  static const std::vector<PageCase> kPages = {
      {"play", 4, [](Oskend::IRemoteSynth* s) { return new OskendProgPlayLayer(s, nullptr); }},
      {"basic", 1, [](Oskend::IRemoteSynth* s) { return new ProgBasicLayer(s); }},
      {"pitch", 6, [](Oskend::IRemoteSynth* s) { return new ProgPitchLayer(s); }},
      {"filter", 8, [](Oskend::IRemoteSynth* s) { return new ProgFilterLayer(s); }},
      {"amp", 4, [](Oskend::IRemoteSynth* s) { return new ProgAmpLayer(s); }},
      {"lfos", 5, [](Oskend::IRemoteSynth* s) { return new ProgLFOsLayer(s); }},
      {"ams", 3, [](Oskend::IRemoteSynth* s) { return new ProgAMSMixKTrkLayer(s); }},
      {"ifx", 1, [](Oskend::IRemoteSynth* s) { return new ProgInsertFXLayer(s); }},
      {"mfx", 3, [](Oskend::IRemoteSynth* s) { return new ProgMasterFXLayer(s); }},
  };
  return kPages;
}

class ProgramPagesTest : public ::testing::Test {
 protected:
  template <class T>
  T* Open(T* page) {
    owned.reset(page);
    page->SetBackgroundBmp(back.get());
    EXPECT_TRUE(h.AddPage(*page));
    h.Idle();
    return page;
  }
  void TearDown() override {
    if (owned) h.DestroyPage(*owned);
  }
  int Value(int pid) { return owned->GetParamValue(eMode_ProgEdit, pid); }
  void Put(int pid, int v) {
    owned->PutParamValue(eMode_ProgEdit, pid, v);
    h.Idle();
  }

  PageHarness h;
  std::unique_ptr<CHfcBmp> back = PageBackground();
  std::unique_ptr<CTabPageLayer> owned;
};

// A value of the parameter's range other than the present one.
int OtherValue(CTabPageLayer* page, int pid) {
  SParamDesc d{};
  page->GetParamDesc(&d, eMode_ProgEdit, pid);
  const int v = page->GetParamValue(eMode_ProgEdit, pid);
  return v == d.min ? d.min + 1 : d.min;
}

// What a control shows for a value: slide switches stand upside down.
int Shown(CHfcControl* c, int value) {
  return dynamic_cast<CHfcCtrlSlideSwitch*>(c) ? c->GetMaxIntValue() - value : value;
}

TEST_F(ProgramPagesTest, EveryPageCarriesEditsBothWaysOnItsFirstLinkedControl) {
  for (const PageCase& pc : Pages()) {
    SCOPED_TRACE(pc.name);
    CTabPageLayer* page = Open(pc.make(h.synth()));
    ASSERT_NE(page->GetSublevelTabControl(), nullptr);
    EXPECT_EQ(page->GetSublevelTabControl()->GetTabPageCount(), pc.subPages);
    // The first linked control whose parameter the model lets change (an
    // oscillator's High multisample stays on).
    CHfcControl* first = nullptr;
    int pid = -1;
    for (CHfcControl* c : page->GetControls()) {
      const SParamIdInfo link = page->GetParameterIdByControl(c);
      if (!link.section || link.pid < 0) continue;
      const int old = Value(link.pid);
      const int other = OtherValue(page, link.pid);
      link.section->PutParamI(link.pid, other);
      const bool changes = Value(link.pid) == other;
      link.section->PutParamI(link.pid, old);
      if (changes) {
        first = c;
        pid = link.pid;
        break;
      }
    }
    ASSERT_NE(first, nullptr);
    h.Idle(20);
    EXPECT_EQ(first->GetIntValue(), Shown(first, Value(pid)));
    // The page's edit reaches the instrument as exactly that change.
    const int edited = OtherValue(page, pid);
    ClearLog(h);
    page->OnHfcCtrlIntValueChanged(first, Shown(first, edited));
    h.Idle(20);
    const std::vector<SimSynthEvent> changes = ParamChanges(h);
    ASSERT_EQ(changes.size(), 1u) << std::hex << pid;
    EXPECT_EQ(changes[0].id, pid);
    EXPECT_EQ(changes[0].value, edited);
    EXPECT_EQ(first->GetIntValue(), Shown(first, edited));
    // A change made on the instrument shows on the control.
    const int panel = OtherValue(page, pid);
    PanelEdit(h, pid, panel);
    ASSERT_TRUE(h.env().loop().RunUntil([&] { return Value(pid) == panel; }, 1000));
    h.Idle();
    EXPECT_EQ(first->GetIntValue(), Shown(first, panel)) << std::hex << pid;
    h.DestroyPage(*page);
    owned.reset();
  }
}

TEST_F(ProgramPagesTest, TheFactoryGivesTheNinePagesInTabOrder) {
  auto pages = CreateProgramTabPages(h.synth(), nullptr);
  ASSERT_EQ(pages.size(), 9u);
  EXPECT_NE(dynamic_cast<OskendProgPlayLayer*>(pages[0].get()), nullptr);
  EXPECT_NE(dynamic_cast<ProgBasicLayer*>(pages[1].get()), nullptr);
  EXPECT_NE(dynamic_cast<ProgFilterLayer*>(pages[3].get()), nullptr);
  EXPECT_NE(dynamic_cast<ProgMasterFXLayer*>(pages[8].get()), nullptr);
  for (auto& p : pages) EXPECT_EQ(p->GetTargetMode(), eMode_ProgEdit);
}

TEST_F(ProgramPagesTest, MenusListTheirCommandsInOrder) {
  auto titles = [](EditTabPageLayerBase& p) {
    std::list<MenuItemInfo> items;
    p.GetMenuItemInfoList(items);
    std::vector<std::string> out;
    for (const MenuItemInfo& m : items) out.push_back(m.id == -1 ? "-" : m.title);
    return out;
  };
  const std::vector<std::string> tail = {"Load...", "Save...", "-", "Receive All", "Transmit All", "Receive All Prog",
                                         "Transmit All Prog", "Receive Current Prog Bank",
                                         "Transmit Current Prog Bank", "Receive Current Prog", "Transmit Current Prog"};
  auto with = [&](std::vector<std::string> head) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  };
  ProgBasicLayer basic(h.synth());
  ProgPitchLayer pitch(h.synth());
  ProgLFOsLayer lfos(h.synth());
  ProgAMSMixKTrkLayer ams(h.synth());
  OskendProgPlayLayer play(h.synth());
  EXPECT_EQ(titles(basic), with({"Write Program...", "Copy Oscillator", "Swap Oscillator", "-"}));
  EXPECT_EQ(titles(pitch), with({"Write Program...", "Copy Oscillator", "Swap Oscillator", "Copy EG", "-"}));
  EXPECT_EQ(titles(lfos), with({"Write Program...", "Copy LFO", "Swap LFO 1&2 of OSC1", "Swap LFO 1&2 of OSC2", "-"}));
  EXPECT_EQ(titles(ams), with({"Write Program...", "-"}));
  EXPECT_EQ(titles(play).size(), 16u);
  EXPECT_EQ(titles(play)[1], MenuItemInfo::kMenuItemInfo_RemoveProgramFromCat.title);
}

TEST_F(ProgramPagesTest, OscillatorModeEnablesTheSecondOscillatorsControls) {
  auto* basic = Open(new ProgBasicLayer(h.synth()));
  struct Check {
    int id;
  } ids[] = {{0x0D14}, {0x0D15}, {0x40001}};
  for (int mode : {0, 1, 0}) {
    Put(0x0D00, mode);
    for (const Check& c : ids) {
      ASSERT_NE(basic->GetControlById(c.id), nullptr);
      EXPECT_EQ(basic->GetControlById(c.id)->IsEnabled(), mode == 1) << std::hex << c.id << " mode " << mode;
    }
    // The first oscillator's zone stays editable.
    EXPECT_TRUE(basic->GetControlById(0x0D12)->IsEnabled());
  }
}

TEST_F(ProgramPagesTest, BasicKeyZonesStayInOrderAndTakeKeyZero) {
  auto* basic = Open(new ProgBasicLayer(h.synth()));
  Put(0x0D12, 10);
  Put(0x0D13, 50);
  // Dragging the low end above the top key writes the top key.
  tagZoneSlopeBarValue low{ZubZoneSlopeBar::kIdZoneMin, 80};
  basic->OnHfcCtrlPtrValueChanged(basic->GetZoneBar(0), &low);
  EXPECT_EQ(Value(0x0D12), 50);
  // A slope point changes nothing.
  tagZoneSlopeBarValue slope{ZubZoneSlopeBar::kIdZoneMax + 1, 3};
  basic->OnHfcCtrlPtrValueChanged(basic->GetZoneBar(0), &slope);
  EXPECT_EQ(Value(0x0D12), 50);
  EXPECT_EQ(Value(0x0D13), 50);
  // The bar reports a drag past its ends as it goes; the keys stop at the
  // ends of their range.
  tagZoneSlopeBarValue above{ZubZoneSlopeBar::kIdZoneMax, 399};
  basic->OnHfcCtrlPtrValueChanged(basic->GetZoneBar(0), &above);
  EXPECT_EQ(Value(0x0D13), 127);
  tagZoneSlopeBarValue below{ZubZoneSlopeBar::kIdZoneMin, -30};
  basic->OnHfcCtrlPtrValueChanged(basic->GetZoneBar(0), &below);
  EXPECT_EQ(Value(0x0D12), 0);
  Put(0x0D13, 50);
  // Typed keys: a number 0..127 is the key, key 0 included.
  CHfcControl* bottom = basic->GetControlById(0x0D12);
  ASSERT_NE(dynamic_cast<CHfcCtrlCharEditText*>(bottom), nullptr);
  struct Typed {
    const char* text;
    int stored;
  } typed[] = {{"0", 0}, {"60", 50}, {"12", 12}, {"127", 50}};
  for (const Typed& t : typed) {
    basic->OnHfcCtrlPtrValueChanged(bottom, const_cast<char*>(t.text));
    EXPECT_EQ(Value(0x0D12), t.stored) << t.text;
  }
  h.Idle();
  EXPECT_STREQ(static_cast<const char*>(bottom->GetPtrValue()), "D3");  // key 50
}

TEST_F(ProgramPagesTest, BreakKeyTriplesAreCorrectedOnlyWhenOutOfOrder) {
  struct Case {
    std::function<ProgEditLayer*(Oskend::IRemoteSynth*)> make;
    int p0, p1, p2;
  } cases[] = {
      {[](Oskend::IRemoteSynth* s) { return new ProgAmpLayer(s); }, 0x1B00, 0x1B01, 0x1B02},
      {[](Oskend::IRemoteSynth* s) { return new ProgFilterLayer(s); }, 0x2800, 0x2801, 0x2802},
      {[](Oskend::IRemoteSynth* s) { return new ProgAMSMixKTrkLayer(s); }, 0x1F00, 0x1F01, 0x1F02},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.p0));
    ProgEditLayer* page = Open(c.make(h.synth()));
    Put(0x0D00, 1);  // the second oscillator's keys take writes in double mode
    // Set up in an order the rule leaves alone.
    Put(c.p2, 127);
    Put(c.p0, 0);
    Put(c.p1, 60);
    Put(c.p2, 100);
    Put(c.p0, 20);
    ClearLog(h);
    Put(c.p0, 80);  // low above centre: corrected to the centre
    h.Idle(20);
    EXPECT_EQ(Value(c.p0), 60);
    Put(c.p1, 120);  // centre above high: clamped to high
    h.Idle(20);
    EXPECT_EQ(Value(c.p1), 100);
    const size_t before = ParamChanges(h).size();
    Put(c.p2, 110);  // in order: no correction
    h.Idle(20);
    EXPECT_EQ(Value(c.p2), 110);
    EXPECT_EQ(ParamChanges(h).size(), before + 1);
    h.DestroyPage(*page);
    owned.reset();
  }
}

TEST_F(ProgramPagesTest, SectionNoticesFromAnotherThreadReachControlsInTheIdle) {
  auto* filter = Open(new ProgFilterLayer(h.synth()));
  Put(0x1506, 20);
  tagFilterValue v{};
  ASSERT_TRUE(filter->GetFilterGraph(0)->GetFilterValue(&v, 0));
  EXPECT_EQ(v.time, 40);
  Oskend::ISection* osc = filter->GetOSCSection();
  ASSERT_NE(osc, nullptr);
  // The cutoff changes and the section reports it on a worker thread: the
  // graph keeps its picture until the GUI idle.
  ASSERT_EQ(filter->GetDeferredUpdateCount(), 0u);
  std::thread worker([&] {
    osc->PutParamI(0x1506, 70);
    filter->OnSectionParamChanged(osc, 0x1506);
  });
  worker.join();
  EXPECT_EQ(filter->GetDeferredUpdateCount(), 1u);
  ASSERT_TRUE(filter->GetFilterGraph(0)->GetFilterValue(&v, 0));
  EXPECT_EQ(v.time, 40);
  h.Idle();
  EXPECT_EQ(filter->GetDeferredUpdateCount(), 0u);
  ASSERT_TRUE(filter->GetFilterGraph(0)->GetFilterValue(&v, 0));
  EXPECT_EQ(v.time, 140);
}

TEST_F(ProgramPagesTest, FilterGraphsFollowTheParametersAndWriteBack) {
  auto* filter = Open(new ProgFilterLayer(h.synth()));
  Put(0x1506, 40);
  Put(0x1507, 10);
  tagFilterValue v{};
  ASSERT_TRUE(filter->GetFilterGraph(0)->GetFilterValue(&v, 0));
  EXPECT_EQ(v.level, 109);
  EXPECT_EQ(v.time, 80);
  // Dragged below the resonance floor: resonance 0, the point kept there.
  tagFilterValue dragged{0, 50, 60};
  filter->OnHfcCtrlPtrValueChanged(filter->GetFilterGraph(0), &dragged);
  EXPECT_EQ(Value(0x1506), 30);
  EXPECT_EQ(Value(0x1507), 0);
  ASSERT_TRUE(filter->GetFilterGraph(0)->GetFilterValue(&v, 0));
  EXPECT_EQ(v.level, 99);
}

TEST_F(ProgramPagesTest, MixerTypeNamesTheHeadingAndShowsGateControlOnlyForGate) {
  auto* ams = Open(new ProgAMSMixKTrkLayer(h.synth()));
  ITabPageLayer* sub = ams->GetSublevelTabControl()->GetTabPageLayer(0);
  auto* mixers = dynamic_cast<CTabPageLayer*>(sub->GetTabPageWindowLayer());
  ASSERT_NE(mixers, nullptr);
  // From the start the headings follow the present types.
  CHfcControl* gate0 = mixers->GetControlById(0x1D00 + 0xBA00 + 0x1000000);
  ASSERT_NE(gate0, nullptr);
  EXPECT_EQ(gate0->IsVisible(), Value(0x1D00) == 6);
  for (int type : {6, 2}) {
    Put(0x1D00, type);
    EXPECT_EQ(ams->GetControlById(0x10840)->GetIntValue(), type);
    CHfcControl* gate = mixers->GetControlById(0x1D00 + 0xBA00 + 0x1000000);
    if (gate) { EXPECT_EQ(gate->IsVisible(), type == 6); }
  }
}

}  // namespace

namespace {

// The parameters that the pages' own controls show (the forms show the
// rest, which the forms' own test checks): each is linked to a control of
// some page, or drawn by one of the pages' graphs.
TEST(ProgramPagesCoverage, HandMadeControlsShowTheirParameters) {
  PageHarness h;
  std::set<int> shown;
  auto pages = CreateProgramTabPages(h.synth(), nullptr);
  size_t managers = 0;
  for (auto& page : pages) {
    ASSERT_TRUE(h.AddPage(*page));
    managers += page->GetGraphManagerCount();
    for (CHfcControl* c : page->GetControls()) {
      const SParamIdInfo link = page->GetParameterIdByControl(c);
      if (link.section && link.pid >= 0) shown.insert(link.pid);
    }
    h.DestroyPage(*page);
  }
  // Envelope points live in the pitch, filter and amp envelope graphs,
  // kept in step by their managers (cutoff and resonance by the filter
  // page itself).
  EXPECT_EQ(managers, 5u);
  std::set<int> wanted = {0xD00, 0xD01, 0xD0C, 0xD0D, 0xD0E, 0xD0F, 0xD10, 0xD11, 0xD12, 0xD13, 0xD14, 0xD15,
                          0xF00, 0xF02, 0xF03, 0xF04, 0x200, 0x205, 0x214, 0x219, 0x800, 0x801, 0x802, 0x803,
                          0x804, 0x805, 0x806, 0x808, 0xB00, 0xB01};
  for (int b : {0x1000, 0x2000}) {
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 3; ++c) wanted.insert(b + 6 * r + c);
    for (int p : {0x100, 0x103, 0x104, 0x105, 0x200, 0x203, 0x204, 0x205, 0x400, 0x500, 0x600, 0x900, 0xC00, 0xC01,
                  0xC02, 0xD00, 0xE00})
      wanted.insert(b + p);
  }
  for (int pid : wanted) EXPECT_TRUE(shown.count(pid)) << std::hex << pid;
}

}  // namespace
