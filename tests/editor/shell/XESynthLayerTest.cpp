// Pages bound to the model, end to end: a control edit reaches the
// simulated synthesizer, a panel edit reaches the control in the idle,
// typed text goes through the parameter's converter, and the links keep
// the pages advised exactly as long as they need.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "editor/controls/CTabControl.h"
#include "editor/shell/EditTabPageLayerBase.h"
#include "editor/shell/ModalLayer.h"
#include "editor/shell/XECommandQueue.h"
#include "hfc/CHfcKeyFocusListener.h"
#include "hfc/CHfcVstEditor.h"
#include "model/ISection.h"
#include "model/ISoundSection.h"
#include "model/IStringConverter.h"
#include "model/paramdesc/SParamDesc.h"
#include "os/window/HeadlessWindow.h"
#include "remote/SynthSysEx.h"
#include "tests/editor/shell/ShellTestKit.h"
#include "tests/support/pageharness/PageHarness.h"

namespace {

using namespace shelltest;
using vesk::test::PageHarness;
using vesk::test::SimSynth;
using vesk::test::SimSynthEvent;
using Bytes = std::vector<uint8_t>;

constexpr int kIFX1OnOff = 0x205;
constexpr int kIFX1Pan = 0x20A;
constexpr int kOsc1Volume = 0x107;
constexpr int kRiffTranspose = 0x10E;
constexpr int kHoldBottomKey = 0xD0D;  // an oscillator page: another section
constexpr int kIFX1Chain = 0x228;

// Insert effect 1 unchained, so that its pan is live whatever program the
// instrument holds.
void UnchainIFX1(PageHarness& h) {
  h.synth()->GetEditBuffer(eMode_ProgEdit)->PutParamI(kIFX1Chain, 0);
  h.RunFor(50);
  h.device().With([](SimSynth& s) { s.ClearLog(); });
}

class XESynthLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UnchainIFX1(h);
    page = std::make_unique<TestPage>(h.synth());
    ASSERT_TRUE(h.AddPage(*page));
  }
  void TearDown() override {
    if (page) h.DestroyPage(*page);
  }
  Oskend::ISection* Section(int pid) { return page->GetParamSection(eMode_ProgEdit, pid); }
  std::vector<SimSynthEvent> ParamChanges() {
    std::vector<SimSynthEvent> out;
    for (const SimSynthEvent& e : h.device().Log())
      if (e.kind == SimSynthEvent::kParamChange) out.push_back(e);
    return out;
  }
  void ClearLog() {
    h.device().With([](SimSynth& s) { s.ClearLog(); });
  }
  tagHfcPoint Centre(CHfcControl* c) {
    return {(c->GetFrame().left + c->GetFrame().right) / 2,
            (c->GetFrame().top + c->GetFrame().bottom) / 2};
  }
  void PanelEdit(int pid, int value) {
    Bytes msg;
    h.device().With([&](SimSynth& s) { msg = s.PanelParamChange(3, pid, value); });
    h.device().Emit(msg);
  }

  PageHarness h;
  std::unique_ptr<TestPage> page;
};

TEST_F(XESynthLayerTest, ACheckBoxClickSendsTheExactParameterChange) {
  CHfcCtrlSwitch* box = page->Put(MakeCheckBox(kIFX1OnOff, 100, 100), kIFX1OnOff);
  const int before = Section(kIFX1OnOff)->GetParamI(kIFX1OnOff);
  EXPECT_EQ(box->GetIntValue(), before);
  ClearLog();
  const size_t sentBefore = h.device().Device().ReceivedBytes().size();
  const tagHfcPoint c = Centre(box);
  h.Click(c.x, c.y);
  h.Idle();
  const std::vector<SimSynthEvent> changes = ParamChanges();
  ASSERT_EQ(changes.size(), 1u);  // the press writes; the release asks nothing more
  EXPECT_EQ(changes[0].section, 3);
  EXPECT_EQ(changes[0].id, kIFX1OnOff);
  EXPECT_EQ(changes[0].value, !before);
  const Bytes expected = Oskend::SynthSysEx::ParamChange(2, 3, kIFX1OnOff, !before);
  const Bytes got = h.device().Device().ReceivedBytes();
  ASSERT_EQ(got.size() - sentBefore, 18u);
  EXPECT_EQ(Bytes(got.end() - 18, got.end()), expected);
  // The model's notice came back through the queue: the box shows it.
  EXPECT_EQ(box->GetIntValue(), !before);
  EXPECT_EQ(Section(kIFX1OnOff)->GetParamI(kIFX1OnOff), !before);
}

TEST_F(XESynthLayerTest, APanelEditShowsOnTheLinkedControlAfterTheNextIdle) {
  XEKnob* knob = page->Put(MakeKnob(kOsc1Volume, 100, 100), kOsc1Volume);
  const int before = knob->GetIntValue();
  const int wanted = before == 55 ? 56 : 55;
  PanelEdit(kOsc1Volume, wanted);
  ASSERT_TRUE(h.env().loop().RunUntil(
      [&] { return Section(kOsc1Volume)->GetParamI(kOsc1Volume) == wanted; }, 1000));
  h.RunFor(50);
  // The notice waits in the page's queue; the control is untouched.
  EXPECT_GT(page->GetQueuedEventCount(), 0u);
  EXPECT_EQ(knob->GetIntValue(), before);
  h.Idle();
  EXPECT_EQ(knob->GetIntValue(), wanted);
  EXPECT_STREQ(static_cast<const char*>(knob->GetPtrValue()), std::to_string(wanted).c_str());
  // Nothing went back to the instrument.
  EXPECT_TRUE(ParamChanges().empty());
}

TEST_F(XESynthLayerTest, TypedTextGoesThroughTheParametersConverter) {
  XEKnob* pan = page->Put(MakeKnob(kIFX1Pan, 100, 100), kIFX1Pan);
  XEKnob* key = page->Put(MakeKnob(kHoldBottomKey, 200, 100), kHoldBottomKey);
  SParamDesc desc{};
  ASSERT_TRUE(Section(kIFX1Pan)->GetParamDesc(kIFX1Pan, &desc));
  ASSERT_NE(desc.converter, nullptr);
  struct Entry {
    XEKnob* knob;
    int pid;
    const char* text;
    int stored;
  } entries[] = {
      {pan, kIFX1Pan, "54", 54},
      {pan, kIFX1Pan, "x", desc.converter->Parse("x")},
      {key, kHoldBottomKey, "C4", 60},  // numeric entry: not a number, so the converter
      {key, kHoldBottomKey, "12", 12},  // numeric entry in range: the number itself
      {key, kHoldBottomKey, "0", 0},
  };
  for (const Entry& e : entries) {
    const tagHfcPoint c = Centre(e.knob);
    h.DoubleClick(c.x, c.y);
    ASSERT_TRUE(e.knob->IsEditing()) << e.text;
    h.Type(e.text);
    EXPECT_EQ(page->GetParamValue(eMode_ProgEdit, e.pid), e.stored) << e.text;
    h.Idle();
    EXPECT_EQ(e.knob->GetIntValue(), e.stored) << e.text;
  }
}

TEST_F(XESynthLayerTest, TheKnobTextRuleFollowsTheWidestValueText) {
  SParamDesc desc{};
  desc.min = 0;
  desc.max = 127;
  FixedWidthConverter five("ABCDE"), three("ABC"), one("A");
  struct Case {
    IStringConverter* converter;
    int min, max;
    int x, y, length;
    const char* font;
  } cases[] = {
      {&five, 0, 127, 4, 16, 5, "TextW4H9"},
      {&three, 0, 127, 10, 15, 3, "FontGeneva9ForControls"},
      {&one, 0, 1, 16, 15, 1, "FontGeneva9ForControls"},  // one step: the lowest is measured
      {&five, 5, 5, 19, 15, 0, "FontGeneva9ForControls"},
  };
  for (const Case& c : cases) {
    desc.converter = c.converter;
    desc.min = c.min;
    desc.max = c.max;
    const XESynthLayer::KnobTextLayout layout = XESynthLayer::ComputeKnobTextLayout(desc);
    EXPECT_EQ(layout.x, c.x);
    EXPECT_EQ(layout.y, c.y);
    EXPECT_EQ(layout.length, c.length);
    EXPECT_STREQ(layout.font, c.font);
  }
  // A real parameter: note names are at most three characters wide.
  XEKnob* key = page->Put(MakeKnob(kHoldBottomKey, 200, 100), kHoldBottomKey);
  EXPECT_EQ(key->GetTextX(), 10);
  EXPECT_EQ(key->GetTextY(), 15);
  EXPECT_EQ(key->GetTextLength(), 3);
}

TEST_F(XESynthLayerTest, UnlinkingOneControlKeepsTheSectionForTheOthers) {
  XEKnob* a = page->Put(MakeKnob(kOsc1Volume, 100, 100), kOsc1Volume);
  XEKnob* b = page->Put(MakeKnob(kRiffTranspose, 200, 100), kRiffTranspose);
  Oskend::ISection* section = Section(kOsc1Volume);
  ASSERT_EQ(section, Section(kRiffTranspose));
  EXPECT_EQ(page->GetSectionLinkCount(section), 2);
  // Linking a control again replaces its link; it is still one link.
  page->LinkControlWithParam(a, eMode_ProgEdit, kOsc1Volume);
  EXPECT_EQ(page->GetSectionLinkCount(section), 2);
  page->UnlinkControlWithParam(a);
  EXPECT_EQ(page->GetSectionLinkCount(section), 1);
  EXPECT_EQ(page->GetParameterIdByControl(a).pid, -1);
  // b still hears its section.
  section->PutParamI(kRiffTranspose, 7);
  b->SetIntValue(0, false);
  h.Idle();
  EXPECT_EQ(b->GetIntValue(), 7);
  // Relinking b to another parameter of the same section never drops it.
  page->RelinkControlWithParam(b, eMode_ProgEdit, kOsc1Volume);
  EXPECT_EQ(page->GetSectionLinkCount(section), 1);
  section->PutParamI(kOsc1Volume, 33);
  h.Idle();
  EXPECT_EQ(b->GetIntValue(), 33);
  // Relinking to another section moves the advice.
  page->RelinkControlWithParam(b, eMode_ProgEdit, kHoldBottomKey);
  EXPECT_EQ(page->GetSectionLinkCount(section), 0);
  EXPECT_EQ(page->GetSectionLinkCount(Section(kHoldBottomKey)), 1);
  section->PutParamI(kOsc1Volume, 34);
  h.RunFor(50);
  EXPECT_EQ(page->GetQueuedEventCount(), 0u);
}

TEST_F(XESynthLayerTest, UnlinkAllUnadvisesEverySectionEvenAfterAnUnregisteredControl) {
  XEKnob* a = page->Put(MakeKnob(kOsc1Volume, 100, 100), kOsc1Volume);
  page->Put(MakeKnob(kHoldBottomKey, 200, 100), kHoldBottomKey);
  Oskend::ISection* main = Section(kOsc1Volume);
  Oskend::ISection* osc = Section(kHoldBottomKey);
  ASSERT_NE(main, osc);
  // a leaves the layer but keeps its map entry (the first in key order).
  page->RemoveControl(a, false);
  a->Destroy();
  delete a;
  page->UnlinkAllControlsWithParam();
  EXPECT_EQ(page->GetLinkCount(), 0u);
  EXPECT_EQ(page->GetSectionLinkCount(main), 0);
  EXPECT_EQ(page->GetSectionLinkCount(osc), 0);
  h.Idle();
  main->PutParamI(kOsc1Volume, 12);
  osc->PutParamI(kHoldBottomKey, 13);
  h.RunFor(50);
  EXPECT_EQ(page->GetQueuedEventCount(), 0u);
}

TEST_F(XESynthLayerTest, APageDestroyedWithQueuedEventsLeavesNothingBehind) {
  auto doomed = std::make_unique<TestPage>(h.synth());
  ASSERT_TRUE(h.AddPage(*doomed));
  doomed->Put(MakeKnob(kOsc1Volume, 100, 100), kOsc1Volume);
  doomed->Put(MakeKnob(kHoldBottomKey, 200, 100), kHoldBottomKey);
  for (int v = 1; v <= 5; ++v) {
    Section(kOsc1Volume)->PutParamI(kOsc1Volume, v);
    Section(kHoldBottomKey)->PutParamI(kHoldBottomKey, v);
  }
  h.RunFor(50);
  EXPECT_GT(doomed->GetQueuedEventCount(), 0u);
  h.DestroyPage(*doomed);
  doomed.reset();
  // Later notices of both sections and of the model find no trace of it.
  Section(kOsc1Volume)->PutParamI(kOsc1Volume, 9);
  Section(kHoldBottomKey)->PutParamI(kHoldBottomKey, 9);
  h.synth()->PutMode(eMode_ProgPlay);
  h.Idle(300);
  h.Idle();
}

TEST_F(XESynthLayerTest, APageDeletedWithoutDestroyGivesEverythingBack) {
  auto* doomed = new TestEditPage(h.synth());
  ASSERT_TRUE(h.AddPage(*doomed));
  doomed->Put(MakeKnob(kOsc1Volume, 100, 100), kOsc1Volume);
  ASSERT_TRUE(doomed->CreateSublevelTab("Tab_Low_Prog_Basic", 200, 55));
  auto* sub = new TestPage(h.synth());
  ASSERT_TRUE(sub->Create(CTabPageLayerCreateParam{300, 100, nullptr}, &h.window()));
  doomed->GetSublevelTabControl()->AddTabPageLayer(&h.window(), sub);
  sub->Put(MakeKnob(kHoldBottomKey, 10, 10), kHoldBottomKey);
  const int layers = h.window().GetLayerCount();
  delete doomed;  // ASan reports what it would leave behind
  EXPECT_EQ(h.window().GetLayerCount(), layers - 2);
  Section(kOsc1Volume)->PutParamI(kOsc1Volume, 3);
  Section(kHoldBottomKey)->PutParamI(kHoldBottomKey, 3);
  h.Idle(50);
}

TEST_F(XESynthLayerTest, TheLinkMapListsControlsByParameterAndMissingSectionsReadNothing) {
  XEKnob* knob = page->Put(MakeKnob(kOsc1Volume, 100, 100), kOsc1Volume);
  XEStaticText* label = page->Put(MakeLabel(kOsc1Volume + XESynthLayer::kLabelIdOffset, 100, 150,
                                            60, "Volume"));
  EXPECT_TRUE(knob->IsVisible());
  EXPECT_TRUE(label->IsVisible());
  EXPECT_EQ(page->GetControlById(kOsc1Volume + 0xBA00), label);
  // The link map lists its controls by parameter.
  std::list<ControlId> ids;
  page->GetCtrlIdListByParamId(ids, SParamIdInfo{Section(kOsc1Volume), kOsc1Volume});
  ASSERT_EQ(ids.size(), 1u);
  EXPECT_EQ(ids.front().id, kOsc1Volume);
  EXPECT_EQ(ids.front().group, 0);
  // Without a section nothing is read or written.
  EXPECT_EQ(page->GetParamValue(eMode(5), kOsc1Volume), -1);
  EXPECT_EQ(page->GetParamSection(eMode(12), kOsc1Volume), nullptr);
  EXPECT_EQ(page->GetParamString(eMode(7), 0), "");
}

TEST(XESynthLayerThreadTest, ABankListNoticeFromAnotherThreadWaitsForTheIdle) {
  PageHarness h;
  TestEditPage page(h.synth());
  ASSERT_TRUE(h.AddPage(page));
  XEKnob* knob = page.Put(MakeKnob(kOsc1Volume, 100, 100), kOsc1Volume);
  const int stored = page.GetParamValue(eMode_ProgEdit, kOsc1Volume);
  knob->SetIntValue(stored == 0 ? 1 : 0, false);
  const int shown = knob->GetIntValue();
  std::thread other([&] {
    page.OnRemoteSynthBankListChanged(h.synth(), eMode_ProgPlay, Oskend::SSoundIndex{0, 1});
  });
  other.join();
  EXPECT_EQ(knob->GetIntValue(), shown);
  EXPECT_EQ(page.GetQueuedEventCount(), 1u);
  h.Idle();
  EXPECT_EQ(knob->GetIntValue(), stored);
  // On the GUI thread it acts at once.
  knob->SetIntValue(shown, false);
  page.OnRemoteSynthBankListChanged(h.synth(), eMode_ProgPlay, Oskend::SSoundIndex{0, 1});
  EXPECT_EQ(knob->GetIntValue(), stored);
  h.DestroyPage(page);
}

// The root layer as pages see it: a layer with the command queue.
class RootLayer : public XELayerBase, public XECommandQueue {};

class SelectorClickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UnchainIFX1(h);
    ASSERT_TRUE(root.Create(0, 0, PageHarness::kWidth, PageHarness::kHeight, &h.window()));
    root.Show(false);
    stTabControlCreateParam p{};
    p.x = 10;
    p.y = 10;
    p.tabWidth = 55;
    p.tabHeight = 29;
    p.tabGap = 3;
    p.tabs = Skin("Tab_Prog_Main");
    ASSERT_NE(p.tabs, nullptr);
    strip = new CTabControl;
    ASSERT_TRUE(strip->Create(p, -1, 0));
    root.AddControl(strip, false);
    strip->Show(false);
    page = new TestEditPage(h.synth());
    CTabPageLayerCreateParam cp;
    cp.width = 700;
    cp.height = 500;
    ASSERT_TRUE(page->Create(cp, &h.window()));
    strip->AddTabPageLayer(&h.window(), page);
  }
  void TearDown() override {
    if (page) {
      page->Destroy();
      delete page;
    }
    root.RemoveAllControls(true);
    h.window().RemoveLayer(&root, false);
    root.Destroy();
  }
  void ClickOn(CHfcControl* c) {
    const tagHfcRect& layer = c->GetParentLayer()->GetRect();
    h.Click(layer.left + c->GetFrame().left + 4, layer.top + c->GetFrame().top + 4);
  }

  PageHarness h;
  RootLayer root;
  CTabControl* strip = nullptr;
  TestEditPage* page = nullptr;
};

TEST_F(SelectorClickTest, ASelectorClickPostsTheBrowserCommandOfItsKind) {
  XESoundSelector* sounds = page->Put(MakeSelector(kOsc1Volume, 0, 20, 60), kOsc1Volume);
  XESoundSelector* params = page->Put(MakeSelector(kIFX1Pan, 6, 20, 90), kIFX1Pan);
  XESoundSelector* unlinked = page->Put(MakeSelector(0x300, 0, 20, 120));
  h.Idle();
  struct Case {
    XESoundSelector* selector;
    bool posts;
    XECommand command;
  } cases[] = {
      {sounds, true, {XECommand::kOpenListBrowser, 3, eMode_ProgEdit, kOsc1Volume}},
      {params, true, {XECommand::kOpenParamBrowser, 6, eMode_ProgEdit, kIFX1Pan}},
      {unlinked, false, {}},
  };
  for (const Case& c : cases) {
    ClickOn(c.selector);
    XECommand got{-1, -1, -1, -1};
    EXPECT_EQ(root.PeekCommand(got), c.posts);
    if (c.posts) {
      EXPECT_EQ(got.type, c.command.type);
      EXPECT_EQ(got.a1, c.command.a1);
      EXPECT_EQ(got.a2, c.command.a2);
      EXPECT_EQ(got.a3, c.command.a3);
    } else {
      EXPECT_EQ(got.type, -1);  // untouched
    }
  }
  EXPECT_TRUE(page->OnHfcCtrlMouseLButtonDown(unlinked, 0, 0, 0));  // handled all the same
  EXPECT_FALSE(page->OnHfcCtrlMouseLButtonDown(strip, 0, 0, 0));
}

TEST_F(SelectorClickTest, ASubPageReachesTheRootThroughItsEditPage) {
  ASSERT_TRUE(page->CreateSublevelTab("Tab_Low_Prog_Basic", 200, 55));
  CTabControl* sub = page->GetSublevelTabControl();
  ASSERT_NE(sub, nullptr);
  auto* subPage = new TestPage(h.synth());
  CTabPageLayerCreateParam cp;
  cp.width = 600;
  cp.height = 200;
  ASSERT_TRUE(subPage->Create(cp, &h.window()));
  sub->AddTabPageLayer(&h.window(), subPage);
  page->Show(false);
  XESoundSelector* s = subPage->Put(MakeSelector(kOsc1Volume, 1, 20, 20), kOsc1Volume);
  h.Idle();
  ClickOn(s);
  XECommand got;
  ASSERT_TRUE(root.PeekCommand(got));
  EXPECT_EQ(got.type, XECommand::kOpenListBrowser);
  EXPECT_EQ(got.a1, 1);
  EXPECT_EQ(got.a3, kOsc1Volume);
  EXPECT_FALSE(root.PeekCommand(got));
  // The edit page deletes its strip and the sub-page with it (ASan checks).
}

TEST(ModalPageTest, EndModalRaisesTheDoneFlagOfTheModalLayerThatHoldsThePage) {
  PageHarness h;
  ModalLayer modal;
  ASSERT_TRUE(modal.Create(0, 0, PageHarness::kWidth, PageHarness::kHeight, &h.window()));
  modal.Show(false);
  stTabControlCreateParam p{};
  p.x = 50;
  p.y = 50;
  p.tabWidth = 55;
  p.tabHeight = 29;
  p.tabGap = 3;
  p.tabs = Skin("Tab_Prog_Main");
  auto* strip = new CTabControl;
  ASSERT_TRUE(strip->Create(p, -1, 0));
  modal.AddControl(strip, false);
  auto* browser = new TestPage(h.synth());
  ASSERT_TRUE(browser->Create(CTabPageLayerCreateParam{400, 300, nullptr}, &h.window()));
  strip->AddTabPageLayer(&h.window(), browser);
  EXPECT_FALSE(browser->EndModal());  // not modal: nothing happens
  EXPECT_FALSE(modal.IsDone());
  EXPECT_TRUE(browser->DoModal());
  EXPECT_FALSE(browser->DoModal());
  EXPECT_TRUE(strip->IsVisible());
  EXPECT_TRUE(browser->IsVisible());
  EXPECT_TRUE(browser->EndModal());
  EXPECT_FALSE(browser->IsModal());
  EXPECT_TRUE(modal.IsDone());
  delete browser;
  modal.RemoveAllControls(true);
  h.window().RemoveLayer(&modal, false);
  modal.Destroy();
}


// A modal page's keys: a field of its own that takes the keyboard gives
// it back to the page when it lets go (at once, not on a later tick); the
// hold ends with the page's run, and with the page itself.
TEST(ModalPageTest, TheKeyboardComesBackToTheModalPageWhenAFieldLetsItGo) {
  struct KeyPage : TestPage {
    using TestPage::TestPage;
    std::vector<int> keys;
    bool OnHfcCtrlKeyDown(CHfcControl*, int chr, int, int) override {
      keys.push_back(chr);
      return true;
    }
  };
  struct Field : CHfcKeyFocusListener {
    int keys = 0;
    bool OnHfcKeyDown(CHfcKeyFocus*, int, int, int) override { return ++keys, true; }
  };
  PageHarness h;
  static_cast<os::HeadlessWindow*>(h.window().GetPlatformWindow())->InjectFocus(true);
  auto page = std::make_unique<KeyPage>(h.synth());
  ASSERT_TRUE(page->Create(CTabPageLayerCreateParam{400, 300, nullptr}, &h.window()));
  page->Show(false);
  ASSERT_TRUE(page->DoModal());
  Field field;
  h.window().SetFocus(&field);
  h.Key('a');
  h.window().ReleaseFocus(&field);
  h.Key('b');
  EXPECT_EQ(field.keys, 1);
  EXPECT_EQ(page->keys, std::vector<int>{'b'});
  ASSERT_TRUE(page->EndModal());
  h.window().SetFocus(&field);
  h.window().ReleaseFocus(&field);
  EXPECT_FALSE(h.window().IsFocused(page.get()));
  // A page taken down while modal leaves no holder behind (ASan checks).
  ASSERT_TRUE(page->DoModal());
  h.window().SetFocus(&field);
  page.reset();
  h.window().ReleaseFocus(&field);
  h.Key('c');
  EXPECT_EQ(field.keys, 1);
}

}  // namespace
