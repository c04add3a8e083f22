// The performance pages against the model in performance mode and the
// simulated synthesizer: the play page's key learning, the timbre
// parameter page's scale and automation edits, the master-effect page, and
// the MIDI activity and track shift of their base.
#include <gtest/gtest.h>

#include "editor/controls/CMMPCtrlFlash.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEStaticText.h"
#include "editor/pages/combi_global/CombiGlobalMainPages.h"
#include "editor/pages/combi_global/CombiMasterFXLayer.h"
#include "editor/pages/combi_global/GlobalCategoryNameLayer.h"
#include "editor/pages/combi_global/GlobalSoftwareSetupLayer.h"
#include "editor/pages/combi_global/GlobalUserScaleLayer.h"
#include "editor/pages/combi_global/OskendGlobalSystemLayer.h"
#include "editor/pages/combi_global/CombiTimbreParamLayer.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/pages/combi_global/TesraCombiPlayLayer.h"
#include "editor/pages/program/EffectEditLayer.h"
#include "editor/shell/CAutomationTabPageLayer.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XESynthUtils.h"
#include "model/ISection.h"
#include "model/ISoundSection.h"
#include "remote/IRemoteSynthSink.h"
#include "tests/editor/pages/combi_global/CombiGlobalTestKit.h"

namespace {

using namespace combitest;

// Hears what the model tells the host about automated parameters.
class AutomationRecorder : public Oskend::IRemoteSynthSink {
 public:
  void OnRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool, bool) override {}
  void OnRemoteSynthExtCtlStateChanged(Oskend::IRemoteSynth*, const Oskend::SExtCtlState&) override {}
  void OnRemoteSynthMasterVolumeChanged(Oskend::IRemoteSynth*, unsigned) override {}
  void OnRemoteSynthModeChanged(Oskend::IRemoteSynth*, int) override {}
  void OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*, const Oskend::SSoundIndex&) override {}
  void OnRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode, const Oskend::SSoundIndex&) override {}
  void OnRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool) override {}
  void OnRemoteSynthProgOSCModeChanged(Oskend::IRemoteSynth*, int) override {}
  void OnRemoteSynthBeginUIUtility(Oskend::IRemoteSynth*) override {}
  void OnRemoteSynthEndUIUtility(Oskend::IRemoteSynth*, bool) override {}
  void OnRemoteSynthSeqStateChanged(Oskend::IRemoteSynth*, bool) override {}
  void OnRemoteSynthNeedAutomationAPI(Oskend::IRemoteSynth*, long) override { ++count; }
  int count = 0;
};

class CombiPages : public ::testing::Test {
 protected:
  void SetUp() override { EnterPerformance(h); }

  Oskend::ISection* SectionOf(int pid) {
    Oskend::ISection* s = nullptr;
    Oskend::ISoundSection* buffer = h.synth()->GetEditBuffer(0);
    return buffer && buffer->FindSectionByPID(pid, &s) ? s : nullptr;
  }
  // Sends an edit and returns the last parameter change the instrument got.
  SimSynthEvent LastChange() {
    h.RunFor(100);
    h.Idle();
    auto changes = ParamChanges(h);
    return changes.empty() ? SimSynthEvent{} : changes.back();
  }

  Forms forms;
  PageHarness h{Performance()};
  std::unique_ptr<CHfcBmp> back = PageBackground();
};

TEST_F(CombiPages, PlayPageLearnsOnlyTheLastNoteInRange) {
  TesraCombiPlayLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  CHfcControl* key = page.GetControlById(TesraCombiPlayLayer::kKeyFieldId);
  CHfcControl* learn = page.GetControlById(TesraCombiPlayLayer::kLearnSwitchId);
  ASSERT_NE(key, nullptr);
  ASSERT_NE(learn, nullptr);
  EXPECT_EQ(learn->GetIntValue(), 1);
  EXPECT_EQ(key->GetMinIntValue(), 37);
  EXPECT_EQ(key->GetMaxIntValue(), 96);
  const int before = key->GetIntValue();

  // Three note-ons between two idles: the last one is shown, nothing is
  // written to the model.
  page.OnMidiIn(0x90, 50, 100);
  const uint8_t fromLink[] = {0x91, 64, 0};  // velocity 0 counts as well
  page.OnRemoteSynthMIDIIn(h.synth(), fromLink, 3);
  page.OnMidiIn(0x92, 70, 90);
  h.Idle();
  EXPECT_EQ(key->GetIntValue(), 70);
  EXPECT_EQ(Text(key), XESynthUtils::GetKeyNoteString(70));
  EXPECT_EQ(SectionOf(0x107)->GetParamI(0x107), before);

  struct Case {
    const char* what;
    uint8_t status;
    uint8_t note;
  } ignored[] = {{"below the range", 0x90, 36}, {"above the range", 0x90, 97},
                 {"a note-off", 0x80, 60},      {"a program change", 0xC0, 60}};
  for (const Case& c : ignored) {
    page.OnMidiIn(c.status, c.note, 64);
    h.Idle();
    EXPECT_EQ(key->GetIntValue(), 70) << c.what;
  }
  const uint8_t shortMsg[] = {0x90};
  page.OnRemoteSynthMIDIIn(h.synth(), shortMsg, 1);
  h.Idle();
  EXPECT_EQ(key->GetIntValue(), 70);

  // With the learn switch off nothing is queued.
  learn->SetIntValue(0, false);
  page.OnMidiIn(0x90, 80, 64);
  page.OnRemoteSynthMIDIIn(h.synth(), fromLink, 3);
  h.Idle();
  EXPECT_EQ(key->GetIntValue(), 70);
  h.DestroyPage(page);
}

TEST_F(CombiPages, PlayPageKeyFieldEditsTheSplitKeyBothWays) {
  TesraCombiPlayLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  CHfcControl* key = page.GetControlById(TesraCombiPlayLayer::kKeyFieldId);
  ASSERT_NE(key, nullptr);
  // A typed note name is read by the split key's converter.
  page.OnHfcCtrlPtrValueChanged(key, const_cast<char*>("C4"));
  SimSynthEvent e = LastChange();
  EXPECT_EQ(e.id, 0x107);
  EXPECT_EQ(e.value, 60);
  EXPECT_EQ(key->GetIntValue(), 60);
  PanelChange(h, e.section, 0x107, 72);
  EXPECT_EQ(key->GetIntValue(), 72);
  EXPECT_EQ(SectionOf(0x107)->GetParamI(0x107), 72);

  std::list<MenuItemInfo> menu;
  page.GetMenuItemInfoList(menu);
  std::vector<int> ids;
  for (const MenuItemInfo& m : menu) ids.push_back(m.id);
  EXPECT_EQ(ids, (std::vector<int>{1030, 1031, -1, 1007, 1008, -1, 1011, 1012, 1020, 1021, 1022, 1023}));
  EXPECT_EQ(page.GetParamId(0, 11), 0xD00);
  EXPECT_EQ(page.GetParamId(9, 3), 0x1903);
  EXPECT_EQ(page.GetParamId(18, 0), -1);
  h.DestroyPage(page);
}

// The key box stands apart from the split bar's own "Key" field, so its
// field and switch each carry their caption, on their row, clear of them.
TEST_F(CombiPages, PlayPageKeyBoxSaysWhatItsFieldAndSwitchAre) {
  TesraCombiPlayLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  std::vector<CHfcControl*> controls;
  page.GetControlVec(controls);
  auto label = [&](const std::string& text) -> CHfcControl* {
    for (CHfcControl* c : controls)
      if (dynamic_cast<XEStaticText*>(c))
        if (const char* t = static_cast<const char*>(c->GetPtrValue()); t && text == t) return c;
    return nullptr;
  };
  struct Case {
    const char* caption;
    int control;
    bool captionFirst;
  } cases[] = {{"Split Key", TesraCombiPlayLayer::kKeyFieldId, true},
               {"Learn by playing", TesraCombiPlayLayer::kLearnSwitchId, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    CHfcControl* caption = label(c.caption);
    CHfcControl* control = page.GetControlById(c.control);
    ASSERT_NE(caption, nullptr);
    ASSERT_NE(control, nullptr);
    const tagHfcRect a = caption->GetFrame(), b = control->GetFrame();
    EXPECT_LT(a.top, b.bottom);
    EXPECT_GT(a.bottom, b.top);
    if (c.captionFirst)
      EXPECT_LE(a.right, b.left);
    else
      EXPECT_GE(a.left, b.right);
  }
  h.DestroyPage(page);
}

TEST_F(CombiPages, TimbreParameterPageEditsTheScale) {
  CombiTimbreParamLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  CHfcControl* type = page.GetControlById(0x104);
  CHfcControl* random = page.GetControlById(0x106);
  ASSERT_NE(type, nullptr);
  ASSERT_NE(random, nullptr);
  page.OnHfcCtrlIntValueChanged(random, 3);
  SimSynthEvent e = LastChange();
  EXPECT_EQ(e.id, 0x106);
  EXPECT_EQ(e.value, 3);
  EXPECT_EQ(random->GetIntValue(), 3);
  PanelChange(h, e.section, 0x104, 2);
  EXPECT_EQ(type->GetIntValue(), 2);
  EXPECT_EQ(page.GetNumTracks(), 12);
  EXPECT_EQ(page.GetBaseId(11), 0xD00);
  h.DestroyPage(page);
}

// Edits on the filter and amp tab are the host's automation: the model
// reports the automatable ones to the host, and so does the same edit on a
// plain page (once each); an edit of a parameter the host does not
// automate is not reported.
TEST_F(CombiPages, AutomationTabEditsAreReportedChanges) {
  AutomationRecorder host;
  h.synth()->AdviseSink(&host);
  CAutomationTabPageLayer tab(h.synth(), "");
  tab.SetTargetMode(eMode_Combi);
  tab.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(tab));
  XEControlCreater make(back.get(), 0, 0);
  constexpr int kCutoff = 0x200 + 0x100 * 4 + 0x3D;
  constexpr int kAttack = 0x200 + 0x100 * 4 + 0x41;
  CHfcControl* cutoff = combipage::Put(&tab, nullptr, make.CreateKnob(100, 100, 0, 100, 0, false, 3, kCutoff, false));
  CHfcControl* attack = combipage::Put(&tab, nullptr, make.CreateKnob(160, 100, 0, 100, 0, false, 3, kAttack, false));
  tab.LinkControlWithParam(cutoff, eMode_Combi, kCutoff);
  tab.LinkControlWithParam(attack, eMode_Combi, kAttack);

  tab.OnHfcCtrlIntValueChanged(cutoff, 44);
  SimSynthEvent e = LastChange();
  EXPECT_EQ(e.id, kCutoff);
  EXPECT_EQ(e.value, 44);
  EXPECT_EQ(host.count, 1);
  EXPECT_EQ(cutoff->GetIntValue(), 44);

  tab.OnHfcCtrlIntValueChanged(attack, 12);
  e = LastChange();
  EXPECT_EQ(e.id, kAttack);
  EXPECT_EQ(host.count, 1) << "attack is not automated";

  // The same parameter through a plain page's handler.
  CTabPageLayer plain(h.synth(), "");
  plain.SetTargetMode(eMode_Combi);
  plain.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(plain));
  CHfcControl* other = combipage::Put(&plain, nullptr, make.CreateKnob(100, 200, 0, 100, 0, false, 3, kCutoff, false));
  plain.LinkControlWithParam(other, eMode_Combi, kCutoff);
  plain.OnHfcCtrlIntValueChanged(other, 45);
  e = LastChange();
  EXPECT_EQ(e.value, 45);
  h.RunFor(10);
  EXPECT_EQ(host.count, 2);

  // The instrument's change reaches the knob.
  PanelChange(h, e.section, kCutoff, 70);
  EXPECT_EQ(cutoff->GetIntValue(), 70);
  h.DestroyPage(plain);
  h.DestroyPage(tab);
  h.synth()->UnadviseSink(&host);
}

TEST_F(CombiPages, MasterEffectPageSwitchesTheChainAndFollowsTheLevels) {
  CombiMasterFXLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  CHfcControl* chain = page.GetControlById(0x1806);
  CHfcControl* ret2 = page.GetControlById(0x1805);
  ASSERT_NE(chain, nullptr);
  ASSERT_NE(ret2, nullptr);
  EXPECT_NE(page.GetControlById(0xD203), nullptr) << "the MFX2 label";
  EXPECT_NE(page.GetControlById(0xD205), nullptr) << "the Return 2 label";
  EXPECT_EQ(page.GetControlById(0x1B00), nullptr) << "the EQ has a label only";

  const int was = chain->GetIntValue();
  page.OnHfcCtrlIntValueChanged(chain, static_cast<int>(0x80000000u) | was);  // the press
  SimSynthEvent e = LastChange();
  EXPECT_EQ(e.id, 0x1806);
  EXPECT_EQ(e.value, was ? 0 : 1);
  EXPECT_EQ(chain->GetIntValue(), was ? 0 : 1);
  PanelChange(h, e.section, 0x1805, 99);
  EXPECT_EQ(ret2->GetIntValue(), 99);

  // The effect sub-pages rebuild for type and sound changes: an MFX1 type
  // change rebuilds both master effects, an MFX2 one only the second.
  EffectEditLayer* mfx1 = page.GetEffectPage(0);
  ASSERT_NE(mfx1, nullptr);
  ASSERT_NE(page.GetEffectPage(2), nullptr);
  EXPECT_EQ(mfx1->GetSlot(), 5);
  EXPECT_EQ(page.GetEffectPage(2)->GetSlot(), 7);
  h.Idle();
  EXPECT_FALSE(mfx1->IsRebuildPending());
  Oskend::ISection* fx = SectionOf(0x1800);
  page.OnSectionParamChanged(fx, 0x1801);
  EXPECT_FALSE(mfx1->IsRebuildPending());
  EXPECT_TRUE(page.GetEffectPage(1)->IsRebuildPending());
  page.OnSectionParamChanged(fx, 0x1800);
  EXPECT_TRUE(mfx1->IsRebuildPending());
  h.Idle();
  EXPECT_FALSE(mfx1->IsRebuildPending());
  page.OnRemoteSynthCurSoundChanged(h.synth(), Oskend::SSoundIndex{});
  EXPECT_TRUE(mfx1->IsRebuildPending());
  EXPECT_TRUE(page.GetEffectPage(2)->IsRebuildPending());
  h.Idle();
  h.DestroyPage(page);
}

// A page of the base with two indicators: the MIDI channel of each timbre
// decides which one lights.
class IndicatorPage : public CombiMultiLayerBase {
 public:
  explicit IndicatorPage(Oskend::IRemoteSynth* synth) : CombiMultiLayerBase(synth, eMode_Combi, false) {}
  bool OnCreate() override {
    XEControlCreater make(GetBackgroundBmp(), 0, 0);
    for (int t = 0; t < 2; ++t) {
      auto* group = combipage::AddGroup(this, "Container_Base", 20 + 60 * t, 20, 50, 30);
      CMMPCtrlFlash* flash = make.CreateMIDIIndicator(30 + 60 * t, 30, t + 1, 0x5000 + t, false);
      combipage::Put(this, group, flash);
      m_trackIndicators.push_back(flash);
      AddTrackShiftList(t, group);
      AddTrackShiftList(t, static_cast<CHfcControl*>(flash));
    }
    return CombiMultiLayerBase::OnCreate();
  }
};

TEST_F(CombiPages, TheBaseLightsTheTimbresOnTheMessagesChannelAndShiftsGroups) {
  IndicatorPage page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  ASSERT_EQ(h.synth()->GetSoundMode(), 0);
  SectionOf(0x204)->PutParamI(0x204, 16);  // the global channel
  SectionOf(0x304)->PutParamI(0x304, 5);
  h.Idle();
  auto* first = static_cast<CMMPCtrlFlash*>(page.GetControlById(0x5000));
  auto* second = static_cast<CMMPCtrlFlash*>(page.GetControlById(0x5001));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  page.OnMidiIn(0x93, 60, 100);
  EXPECT_GT(first->GetRemainingTime(), 0);
  EXPECT_LE(second->GetRemainingTime(), 0);
  page.OnMidiIn(0x95, 60, 100);
  EXPECT_GT(second->GetRemainingTime(), 0);

  // A click on an indicator activates its group; on another control not.
  page.OnHfcCtrlMouseLButtonDown(second, 1, 1, 0);
  EXPECT_EQ(page.GetActiveContainerIndex(), 1);
  page.OnHfcCtrlMouseLButtonDown(nullptr, 1, 1, 0);
  EXPECT_EQ(page.GetActiveContainerIndex(), 1);

  page.TrackShift(1);
  EXPECT_FALSE(first->IsVisible());
  EXPECT_TRUE(second->IsVisible());
  EXPECT_FALSE(page.GetContainerByIndex(0)->m_bVisible);
  page.TrackShift(2);
  EXPECT_FALSE(first->IsVisible());
  EXPECT_FALSE(second->IsVisible());
  h.DestroyPage(page);
}

}  // namespace

namespace {

TEST(CombiGlobalMainPagesTest, TheStripsGetTheirPagesInTabOrder) {
  combitest::PageHarness h;
  std::vector<CTabPageLayer*> perf = CreatePerformanceTabPages(h.synth());
  ASSERT_EQ(perf.size(), 3u);
  EXPECT_NE(dynamic_cast<TesraCombiPlayLayer*>(perf[0]), nullptr);
  EXPECT_NE(dynamic_cast<CombiTimbreParamLayer*>(perf[1]), nullptr);
  EXPECT_NE(dynamic_cast<CombiMasterFXLayer*>(perf[2]), nullptr);
  // The pages that follow MIDI can be registered as receivers.
  EXPECT_NE(dynamic_cast<IMIDIReceiver*>(perf[0]), nullptr);
  EXPECT_NE(dynamic_cast<IMIDIReceiver*>(perf[1]), nullptr);
  std::vector<CTabPageLayer*> global = CreateGlobalTabPages(h.synth());
  ASSERT_EQ(global.size(), 4u);
  EXPECT_NE(dynamic_cast<GlobalSoftwareSetupLayer*>(global[0]), nullptr);
  EXPECT_NE(dynamic_cast<OskendGlobalSystemLayer*>(global[1]), nullptr);
  EXPECT_NE(dynamic_cast<GlobalUserScaleLayer*>(global[2]), nullptr);
  EXPECT_NE(dynamic_cast<GlobalCategoryNameLayer*>(global[3]), nullptr);
  EXPECT_EQ(global[0]->GetTargetMode(), 11);
  for (CTabPageLayer* p : perf) delete p;
  for (CTabPageLayer* p : global) delete p;
}

}  // namespace

namespace {

using namespace combitest;

CTabPageLayer* TabOf(CTabPageLayer& page, int i) {
  CTabControl* strip = page.GetSublevelTabControl();
  return strip ? dynamic_cast<CTabPageLayer*>(strip->GetTabPageLayer(i)) : nullptr;
}

// The form-built tabs: each edit reaches the instrument; only the filter
// and amp tab's are reported to the host.
TEST_F(CombiPages, TimbreTabsEditTheirTimbresAndOnlyTheFilterAmpTabReportsToTheHost) {
  AutomationRecorder host;
  h.synth()->AdviseSink(&host);
  CombiTimbreParamLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  ASSERT_EQ(page.GetSublevelTabControl()->GetTabPageCount(), 5);
  CTabPageLayer* mixer = TabOf(page, 0);
  CTabPageLayer* filterAmp = TabOf(page, 3);
  ASSERT_NE(mixer, nullptr);
  ASSERT_NE(dynamic_cast<CAutomationTabPageLayer*>(filterAmp), nullptr);

  // Pan (Post) only for the timbres that feed an insert effect.
  for (int t = 0; t < 12; ++t)
    EXPECT_EQ(mixer->GetControlById(0x245 + 0x100 * t) != nullptr, t == 0 || t == 1 || t == 2 || t == 4 || t == 5) << t;

  const int cutoff = 0x200 + 0x100 * 9 + 0x3D;
  CHfcControl* knob = filterAmp->GetControlById(cutoff);
  ASSERT_NE(knob, nullptr);
  filterAmp->OnHfcCtrlIntValueChanged(knob, 21);
  SimSynthEvent e = LastChange();
  EXPECT_EQ(e.id, cutoff);
  EXPECT_EQ(e.value, 21);
  EXPECT_EQ(host.count, 1);

  const int pan = 0x200 + 0x100 * 9 + 0x01;
  CHfcControl* panKnob = mixer->GetControlById(pan);
  ASSERT_NE(panKnob, nullptr);
  mixer->OnHfcCtrlIntValueChanged(panKnob, 30);
  e = LastChange();
  EXPECT_EQ(e.id, pan);
  EXPECT_EQ(e.value, 30);
  EXPECT_EQ(host.count, 1);
  PanelChange(h, e.section, pan, 100);
  EXPECT_EQ(panKnob->GetIntValue(), 100);
  h.DestroyPage(page);
  h.synth()->UnadviseSink(&host);
}

TEST_F(CombiPages, PlayTabsEditTheirTimbresAndOnlyTheShownTabRedrawsForNewBanks) {
  TesraCombiPlayLayer page(h.synth());
  page.SetBackgroundBmp(back.get());
  ASSERT_TRUE(h.AddPage(page));
  ASSERT_EQ(page.GetSublevelTabControl()->GetTabPageCount(), 2);
  CTabPageLayer* second = TabOf(page, 1);
  const int volume = 0x202 + 0x100 * 8;
  CHfcControl* knob = second->GetControlById(volume);
  ASSERT_NE(knob, nullptr);
  EXPECT_EQ(TabOf(page, 0)->GetControlById(volume), nullptr);
  page.GetSublevelTabControl()->SetActivePageByIndex(1, true);
  h.Idle();
  second->OnHfcCtrlIntValueChanged(knob, 77);
  SimSynthEvent e = LastChange();
  EXPECT_EQ(e.id, volume);
  EXPECT_EQ(e.value, 77);
  PanelChange(h, e.section, volume, 12);
  EXPECT_EQ(knob->GetIntValue(), 12);
  EXPECT_TRUE(second->IsVisible());
  EXPECT_FALSE(TabOf(page, 0)->IsVisible());
  TabOf(page, 0)->OnRemoteSynthBankListChanged(h.synth(), eMode_Combi, Oskend::SSoundIndex{});
  EXPECT_FALSE(TabOf(page, 0)->IsVisible());
  second->Hide(false);
  second->OnRemoteSynthBankListChanged(h.synth(), eMode_Combi, Oskend::SSoundIndex{});
  EXPECT_TRUE(second->IsVisible());
  h.Idle();
  h.DestroyPage(page);
}

}  // namespace
