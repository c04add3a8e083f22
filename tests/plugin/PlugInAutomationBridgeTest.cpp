// Edits in the editor of the 71 parameters the host automates reach the
// host: each edit once, as an automate call inside a begin and end of an
// edit gesture, with the parameter's new value; the host reads each
// parameter's text as the editor shows it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/browsers/EffectBrowser.h"
#include "editor/browsers/LoadProgramBrowser.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "hfc/CHfcControl.h"
#include "model/ISection.h"
#include "model/ISoundSection.h"
#include "os/Menu.h"
#include "plugin/CParameter.h"
#include "plugin/VelorVstEditor.h"
#include "tests/plugin/InProcessFixture.h"
#include "tests/support/simsynth/SimSynthDevice.h"

namespace vesk::test {
namespace {

using Root = OskendBackgroundLayer;

struct Reported {
  int32_t opcode;
  int32_t index;
  float value;
  bool operator==(const Reported& o) const {
    return opcode == o.opcode && index == o.index && value == o.value;
  }
};

std::ostream& operator<<(std::ostream& out, const Reported& r) {
  return out << "{" << r.opcode << ", " << r.index << ", " << r.value << "}";
}

class AutomationBridge : public InProcess {
 protected:
  RealEditPages pages;
  std::unique_ptr<SimSynthDevice> device;
  Root* root = nullptr;
  Oskend::ISection* automation = nullptr;

  void SetUp() override {
    InProcess::SetUp();
    device = std::make_unique<SimSynthDevice>(bus);
    os::HeadlessMenuTracker::Reset();
    QuorelVst* p = Make();
    ASSERT_NE(p, nullptr);
    env.loop().RunFor(5000);
    ASSERT_TRUE(model().GetConnected());
    ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
    model().PutMode(eMode_Combi);
    env.loop().RunFor(600);
    ASSERT_EQ(model().GetMode(), eMode_Combi);
    root = dynamic_cast<Root*>(p->GetVstEditor()->GetLayerByIndex(0));
    ASSERT_NE(root, nullptr);
    automation = model().GetAutomation();
  }
  void TearDown() override {
    InProcess::TearDown();
    os::HeadlessMenuTracker::Reset();
    device.reset();
  }

  // The gesture and automate calls the host has had since the last look.
  std::vector<Reported> Take() {
    std::vector<Reported> out;
    for (const TestHost::Call& c : host.Calls())
      if (c.opcode == audioMasterBeginEdit || c.opcode == audioMasterEndEdit ||
          c.opcode == audioMasterAutomate)
        out.push_back({c.opcode, c.index, c.opcode == audioMasterAutomate ? c.opt : 0.0f});
    host.ClearCalls();
    return out;
  }
  SParamDesc Row(int index) {
    SParamDesc d{};
    automation->GetParamDescByIndex(static_cast<unsigned>(index), &d);
    return d;
  }
  // What the host must hear of an edit of row index to value v.
  std::vector<Reported> Expected(int index, int v) {
    const SParamDesc d = Row(index);
    return {{audioMasterBeginEdit, index, 0.0f},
            {audioMasterAutomate, index, CParameter::RegulateFromInt(v, d.max + 1 - d.min, d.min)},
            {audioMasterEndEdit, index, 0.0f}};
  }
  // What the host must hear of a press on row index that changed nothing.
  static std::vector<Reported> Touch(int index) {
    return {{audioMasterBeginEdit, index, 0.0f}, {audioMasterEndEdit, index, 0.0f}};
  }
  // The row's range in the parameter's own section now (an effect's rows
  // follow its type).
  SParamDesc Own(int index) {
    SParamDesc own = Row(index);
    Oskend::ISection* owner = nullptr;
    if (model().GetEditBuffer(0)->FindSectionByPID(own.id, &owner) && owner)
      owner->GetParamDesc(own.id, &own);
    return own;
  }
  // A value of the row other than its current one, in both ranges.
  int Another(int index) {
    const int low = std::max(Row(index).min, Own(index).min);
    return automation->GetParamI(Row(index).id) == low ? low + 1 : low;
  }
  CTabPageLayer* Page(int page, int sub) {
    auto* main = dynamic_cast<CTabPageLayer*>(root->GetMainTab(0)->GetTabPageLayer(page));
    if (!main || !main->GetSublevelTabControl()) return nullptr;
    return dynamic_cast<CTabPageLayer*>(main->GetSublevelTabControl()->GetTabPageLayer(sub));
  }
  // The page that shows row index: the volumes on the play page's timbre
  // tabs, the filter and envelope rows on the timbre page's filter and amp
  // tab, the master effects and the EQ on the play page.
  CTabPageLayer* PageOfRow(int index) {
    if (index < 12) return Page(0, index / 6);
    return index < 60 ? Page(1, 3) : Page(0, 0);
  }
  // That page on the screen, as a user brings it there.
  CTabPageLayer* ShowPageOfRow(int index) {
    const int page = index < 12 || index >= 60 ? 0 : 1;
    const int sub = index < 12 ? index / 6 : index < 60 ? 3 : 0;
    CTabControl* strip = root->GetMainTab(0);
    bool moved = strip->GetActivePageIndex() != page;
    if (moved) strip->SetActivePageByIndex(page, true);
    auto* main = dynamic_cast<CTabPageLayer*>(strip->GetTabPageLayer(page));
    CTabControl* subs = main ? main->GetSublevelTabControl() : nullptr;
    if (subs && subs->GetActivePageIndex() != sub) {
      subs->SetActivePageByIndex(sub, true);
      moved = true;
    }
    if (moved) Settle();
    return PageOfRow(index);
  }
  // Writes pid of the performance edit buffer as the editor does.
  void PutCombi(int pid, int value) {
    Oskend::ISection* s = nullptr;
    ASSERT_TRUE(model().GetEditBuffer(0)->FindSectionByPID(pid, &s));
    s->PutParamI(pid, value);
  }
  // Lets the model's notices reach the root layer and its idle run.
  void Settle() { env.loop().RunFor(100); }
  // Every row's value now.
  std::vector<int> Values() {
    std::vector<int> out;
    for (int index = 0; index < 71; ++index) out.push_back(automation->GetParamI(Row(index).id));
    return out;
  }
  // What the host must hear of an edit of row index to v that moved the
  // rows whose values differ from before: the row first, then each row
  // that moved with it, each as its own edit with its new value.
  std::vector<Reported> ExpectedWithMoved(int index, int v, const std::vector<int>& before) {
    std::vector<Reported> out = Expected(index, v);
    const std::vector<int> after = Values();
    for (int row = 0; row < 71; ++row) {
      if (row == index || after[static_cast<size_t>(row)] == before[static_cast<size_t>(row)]) continue;
      const std::vector<Reported> moved = Expected(row, after[static_cast<size_t>(row)]);
      out.insert(out.end(), moved.begin(), moved.end());
    }
    return out;
  }
};

// Every row from a control of a performance page: the volumes on the play
// page's timbre tabs, the filter and envelope rows on the timbre page's
// filter and amp tab, the master effects and the EQ on the play page.
TEST_F(AutomationBridge, AnEditOfEachRowOnItsPageIsReportedOnceInsideAGesture) {
  static const int kTimbreRows[4] = {0x3D, 0x3E, 0x3F, 0x44};
  Take();
  const size_t before = host.Automated().size();
  std::vector<int> order;
  for (int index = 0; index < 71; ++index) {
    CTabPageLayer* layer = PageOfRow(index);
    const int pid = Row(index).id;
    if (index >= 12 && index < 60) {
      const int t = (index - 12) % 12;
      ASSERT_EQ(pid, 0x200 + t * 0x100 + kTimbreRows[(index - 12) / 12]) << index;
    }
    ASSERT_NE(layer, nullptr) << index;
    CHfcControl* control = layer->GetControlById(pid);
    ASSERT_NE(control, nullptr) << index;
    const int v = Another(index);
    const std::vector<int> values = Values();
    layer->OnHfcCtrlIntValueChanged(control, v);
    Settle();
    EXPECT_EQ(automation->GetParamI(Row(index).id), v) << index;
    const std::vector<Reported> want = ExpectedWithMoved(index, v, values);
    // An effect type moves its parameters: the host hears of them too.
    if (index == 60 || index == 64) {
      EXPECT_GT(want.size(), 3u) << index;
    }
    EXPECT_EQ(Take(), want) << index;
    for (const Reported& r : want)
      if (r.opcode == audioMasterAutomate) order.push_back(r.index);
  }
  // The host's record of automation holds one value per reported row, in
  // the order of the edits.
  const auto automated = host.Automated();
  ASSERT_EQ(automated.size(), before + order.size());
  for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(automated[before + i].first, order[i]);
}

// The front panel's knobs report the parameter they drive now (their page
// and timbre group choose it), inside the knob's own gesture; a knob on a
// page without an automated parameter reports nothing.
TEST_F(AutomationBridge, PanelKnobsReportTheParameterTheyDrive) {
  struct Case {
    const char* what;
    int knobPage;  // real-time knob page (1 volume, 2 pan)
    int group;     // timbres 1-6 or 7-12
    int control;
    int row;  // -1: no automated parameter
  };
  const Case cases[] = {
      {"volume knob 2", 1, 0, Root::kIdRTKnob + 2, 2},
      {"volume knob 2, upper group", 1, 1, Root::kIdRTKnob + 2, 8},
      {"pan knob", 2, 0, Root::kIdRTKnob + 2, -1},
      {"MFX1 knob 1", 1, 0, Root::kIdFx1Knob + 1, 62},
      {"MFX2 knob 0", 1, 0, Root::kIdFx2Knob + 0, 65},
      {"MFX2 knob 1", 1, 0, Root::kIdFx2Knob + 1, 67},
      {"MFX2 knob 2", 1, 0, Root::kIdFx2Knob + 2, 66},
      {"EQ knob 2", 1, 0, Root::kIdEqKnob + 2, 70},
  };
  // Master effects with knobs to turn.
  PutCombi(0x1800, 1);
  PutCombi(0x1801, 1);
  for (const Case& c : cases) {
    PutCombi(0x10B, c.knobPage);
    PutCombi(0x108, c.group);
    PutCombi(0x10C, c.group);
    Settle();
    Take();
    CHfcControl* knob = root->GetControlById(c.control);
    ASSERT_NE(knob, nullptr) << c.what;
    // A turn: press, two steps, release.
    root->OnHfcCtrlBeginEdit(knob);
    root->OnHfcCtrlIntValueChanged(knob, 10);
    root->OnHfcCtrlIntValueChanged(knob, 11);
    root->OnHfcCtrlEndEdit(knob);
    Settle();
    const std::vector<Reported> got = Take();
    if (c.row < 0) {
      EXPECT_TRUE(got.empty()) << c.what;
      continue;
    }
    // A press that does not move the knob is a touch: its begin and end,
    // and no value.
    root->OnHfcCtrlBeginEdit(knob);
    root->OnHfcCtrlIntValueChanged(knob, 11);
    root->OnHfcCtrlEndEdit(knob);
    Settle();
    EXPECT_EQ(Take(), Touch(c.row)) << c.what;
    // A knob's value counts from its parameter's minimum.
    const SParamDesc d = Row(c.row);
    const int n = d.max + 1 - d.min;
    const int base = Own(c.row).min;
    const std::vector<Reported> want = {
        {audioMasterBeginEdit, c.row, 0.0f},
        {audioMasterAutomate, c.row, CParameter::RegulateFromInt(base + 10, n, d.min)},
        {audioMasterAutomate, c.row, CParameter::RegulateFromInt(base + 11, n, d.min)},
        {audioMasterEndEdit, c.row, 0.0f}};
    // Every panel knob brackets both steps in one gesture of its row.
    EXPECT_EQ(got, want) << c.what;
  }
}

// A drag on a page's control is one gesture of the host's from the press
// to the release, with an automate for each step; a press that changes
// nothing is a begin and an end with no value; a typed value is a gesture
// of its own.
TEST_F(AutomationBridge, APagesControlsReportADragAsOneGestureAndAPressWithoutChangeAsATouch) {
  struct Case {
    const char* what;
    int page, sub;
    int row;
  };
  const Case cases[] = {
      {"timbre 1 volume knob", 0, 0, 0},
      {"timbre 8 volume knob", 0, 1, 7},
      {"timbre 3 cutoff knob", 1, 3, 14},
      {"MFX2 level", 0, 0, 66},
      {"EQ bass", 0, 0, 68},
  };
  // Master effects with parameters to edit.
  Oskend::ISection* common = nullptr;
  ASSERT_TRUE(model().GetEditBuffer(0)->FindSectionByPID(0x1801, &common));
  common->PutParamI(0x1800, 1);
  common->PutParamI(0x1801, 1);
  Settle();
  for (const Case& c : cases) {
    CTabPageLayer* layer = Page(c.page, c.sub);
    ASSERT_NE(layer, nullptr) << c.what;
    CHfcControl* control = layer->GetControlById(Row(c.row).id);
    ASSERT_NE(control, nullptr) << c.what;
    const int v = Another(c.row);
    const int w = v + 1;
    Take();
    layer->OnHfcCtrlBeginEdit(control);
    layer->OnHfcCtrlIntValueChanged(control, v);
    Settle();
    layer->OnHfcCtrlIntValueChanged(control, w);
    layer->OnHfcCtrlEndEdit(control);
    Settle();
    const std::vector<Reported> one = Expected(c.row, v);
    const std::vector<Reported> two = Expected(c.row, w);
    EXPECT_EQ(Take(), (std::vector<Reported>{one[0], one[1], two[1], two[2]})) << c.what;
    layer->OnHfcCtrlBeginEdit(control);
    layer->OnHfcCtrlIntValueChanged(control, w);
    layer->OnHfcCtrlEndEdit(control);
    Settle();
    EXPECT_EQ(Take(), Touch(c.row)) << c.what;
    layer->OnHfcCtrlBeginEdit(control);
    layer->OnHfcCtrlPtrValueChanged(control, const_cast<char*>(std::to_string(v).c_str()));
    layer->OnHfcCtrlEndEdit(control);
    Settle();
    EXPECT_EQ(Take(), Expected(c.row, v)) << c.what;
  }
}

// The host closes the editor in the middle of a drag: the gesture ends
// with it.
TEST_F(AutomationBridge, AGestureLeftOpenEndsWhenTheHostClosesTheEditor) {
  CTabPageLayer* layer = Page(0, 0);
  ASSERT_NE(layer, nullptr);
  CHfcControl* control = layer->GetControlById(Row(3).id);
  ASSERT_NE(control, nullptr);
  const int v = Another(3);
  Take();
  layer->OnHfcCtrlBeginEdit(control);
  layer->OnHfcCtrlIntValueChanged(control, v);
  host.Dispatch(effEditClose);
  Settle();
  EXPECT_EQ(Take(), Expected(3, v));
}

// An effect type chosen in the effect browser reaches the host as one
// gesture of its row, followed by the parameters the new type moved.
TEST_F(AutomationBridge, AnEffectChosenInTheEffectBrowserIsReportedWithWhatItMoved) {
  for (int row : {60, 64}) {
    const int v = Another(row);
    const std::vector<int> values = Values();
    Take();
    EffectBrowser browser(&model(), eMode_Combi, Row(row).id, "Select Effect");
    browser.DoIt(v);
    Settle();
    EXPECT_EQ(automation->GetParamI(Row(row).id), v) << row;
    const std::vector<Reported> want = ExpectedWithMoved(row, v, values);
    EXPECT_GT(want.size(), 3u) << row;
    EXPECT_EQ(Take(), want) << row;
  }
}

// Cancel in a list browser puts back the sound the previews changed: the
// host hears of the return to the opening values as it heard of the
// preview, each row that moves back as one gesture with its value, in row
// order (the type first, then the parameters that follow it). A program
// chosen for the only timbre that plays brings that program's master
// effects along.
TEST_F(AutomationBridge, CancelInAListBrowserReportsTheReturnOfEveryRowThePreviewMoved) {
  Oskend::ISoundSection* combi = model().GetEditBuffer(0);
  struct Case {
    const char* what;
    int pid;
    std::function<std::unique_ptr<ListBrowserBase>(int pid)> make;
    int value;  // -1: another value of the row
  };
  const auto effects = [&](int pid) {
    return std::make_unique<EffectBrowser>(&model(), eMode_Combi, pid, "Select Effect");
  };
  const auto programs = [&](int pid) {
    return std::make_unique<LoadProgramBrowser>(&model(), eMode_Combi, pid, "Select Program", true, false);
  };
  const Case cases[] = {
      {"MFX1 type", 0x1800, effects, -1},
      {"MFX2 type", 0x1801, effects, -1},
      {"timbre 1 program, alone", 0x200, programs, 5},
  };
  // Timbre 1 alone plays, without a split: its program brings its effects.
  for (int t = 0; t < 12; ++t) PutCombi(0x22B + t * 0x100, t == 0 ? 1 : 0);
  PutCombi(0x108, 0);
  PutCombi(0x1800, 1);
  PutCombi(0x1801, 4);
  Settle();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<int> opening = Values();
    Oskend::ISection* owner = nullptr;
    ASSERT_TRUE(combi->FindSectionByPID(c.pid, &owner));
    const int openingValue = owner->GetParamI(c.pid);
    const int index = automation->GetIndexByParamID(c.pid);
    const int v = c.value >= 0 ? c.value : Another(index);
    ASSERT_NE(v, openingValue);
    std::unique_ptr<ListBrowserBase> browser = c.make(c.pid);
    // A line chosen in the list: the audition begins, the value is written.
    ASSERT_TRUE(model().BeginAudition(browser->GetAuditionContex()));
    browser->DoIt(v);
    Settle();
    const std::vector<int> previewed = Values();
    ASSERT_NE(previewed, opening) << "the preview moved no row of the host's";
    Take();
    browser->OnCancel();
    Settle();
    ASSERT_EQ(owner->GetParamI(c.pid), openingValue);
    ASSERT_EQ(Values(), opening);
    std::vector<Reported> want;
    for (int row = 0; row < 71; ++row) {
      const auto r = static_cast<size_t>(row);
      if (previewed[r] == opening[r]) continue;
      const std::vector<Reported> back = Expected(row, opening[r]);
      want.insert(want.end(), back.begin(), back.end());
    }
    EXPECT_EQ(Take(), want);
  }
}

TEST_F(AutomationBridge, TheEffectTypeSwitchesReportTheirRows) {
  os::Menu::SetTracker({});
  for (int which : {0, 1}) {
    const int row = which == 0 ? 60 : 64;
    const int v = Another(row);
    Take();
    const std::vector<int> values = Values();
    os::HeadlessMenuTracker::ScriptCommand(v + 1);
    root->OnFxTypeSwitch(which);
    Settle();
    EXPECT_EQ(automation->GetParamI(Row(row).id), v) << which;
    EXPECT_EQ(Take(), ExpectedWithMoved(row, v, values)) << which;
  }
}

// What the host sets is not echoed back as an edit.
TEST_F(AutomationBridge, ValuesTheHostSetsAreNotReportedBack) {
  AEffect* e = host.effect;
  Take();
  const size_t automatedBefore = host.Automated().size();
  const int rows[] = {0, 20, 61, 64, 70};
  for (int index : rows) {
    // A change, so that an echo would have something to report.
    const SParamDesc d = Row(index);
    ASSERT_NE(automation->GetParamI(d.id), CParameter::QuantizeToInt(0.75f, d.max + 1 - d.min, d.min))
        << index;
    e->setParameter(e, index, 0.75f);
  }
  Settle();
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(host.Automated().size(), automatedBefore);
  // The settings did reach the image, whose pages show them (but for row
  // 61, an effect parameter without room under the effect now chosen).
  for (int index : {0, 20, 64, 70}) {
    const SParamDesc d = Row(index);
    EXPECT_EQ(automation->GetParamI(d.id), CParameter::QuantizeToInt(0.75f, d.max + 1 - d.min, d.min))
        << index;
  }
  EXPECT_EQ(e->getParameter(e, 20), CParameter::RegulateFromInt(
                                        CParameter::QuantizeToInt(0.75f, 199, -99), 199, -99));
}

// A value the synthesizer changes by itself (its own panel) reaches no
// report: the host is asked to read every parameter again, and reads the
// new value; it is not told it as an edit, and asked once. An edit the
// host heard of asks for no reading.
TEST_F(AutomationBridge, AValueTheSynthesizerChangedIsReadAgainByTheHost) {
  AEffect* e = host.effect;
  // Master effects with parameters to change.
  Oskend::ISection* common = nullptr;
  ASSERT_TRUE(model().GetEditBuffer(0)->FindSectionByPID(0x1801, &common));
  common->PutParamI(0x1800, 1);
  common->PutParamI(0x1801, 1);
  for (int index : {0, 20, 61, 64, 70}) {
    const SParamDesc d = Row(index);
    Oskend::ISection* owner = nullptr;
    ASSERT_TRUE(model().GetEditBuffer(0)->FindSectionByPID(d.id, &owner)) << index;
    const int v = Another(index);
    Settle();
    Take();
    const int before = host.UpdateDisplayCount();
    owner->PutParamIEx(d.id, v, Oskend::ISection::kNotify, eChgSource_Synth);
    Settle();
    EXPECT_EQ(host.UpdateDisplayCount(), before + 1) << index;
    EXPECT_EQ(e->getParameter(e, index), CParameter::RegulateFromInt(v, d.max + 1 - d.min, d.min)) << index;
    EXPECT_TRUE(Take().empty()) << index;
    Settle();
    EXPECT_EQ(host.UpdateDisplayCount(), before + 1) << index;
  }
  CTabPageLayer* layer = Page(0, 0);
  ASSERT_NE(layer, nullptr);
  CHfcControl* control = layer->GetControlById(Row(3).id);
  ASSERT_NE(control, nullptr);
  const int v = Another(3);
  const int before = host.UpdateDisplayCount();
  layer->OnHfcCtrlIntValueChanged(control, v);
  Settle();
  EXPECT_EQ(Take(), Expected(3, v));
  EXPECT_EQ(host.UpdateDisplayCount(), before);
}

// The host reads each row's text as the editor shows it: for every row and
// every type of the two master effects, the current value, and the lowest
// and highest value the host can set (read before the loop has written
// them, then after).
TEST_F(AutomationBridge, TheHostReadsEveryRowAsTheEditorShowsIt) {
  AEffect* e = host.effect;
  Oskend::ISection* common = nullptr;
  ASSERT_TRUE(model().GetEditBuffer(0)->FindSectionByPID(0x1801, &common));
  auto shown = [&](int index) {
    CTabPageLayer* layer = ShowPageOfRow(index);
    CHfcControl* control = layer ? layer->GetControlById(Row(index).id) : nullptr;
    if (!control) return std::string("(no control)");
    // A selector shows its face; the others their value text.
    const auto* list = dynamic_cast<XEDropdownList*>(control);
    const char* value = static_cast<const char*>(control->GetPtrValue());
    const std::string text = list ? list->GetFaceText() : value ? value : "(no text)";
    // The host's texts are cut to 16 characters.
    return text.substr(0, 16);
  };
  auto where = [&](int type, int index) {
    return "type " + std::to_string(type) + ", row " + std::to_string(index) + " (" + Row(index).name + ")";
  };
  for (int type = 0; type <= 4; ++type) {
    common->PutParamI(0x1800, type);
    common->PutParamI(0x1801, type);
    Settle();
    for (int index = 0; index < 71; ++index)
      EXPECT_EQ(host.Text(effGetParamDisplay, index), shown(index)) << where(type, index);
    const std::vector<int> before = Values();
    for (float set : {0.0f, 1.0f}) {
      // The types stay, each checked at its own value above.
      std::vector<std::string> pending(71);
      for (int index = 0; index < 71; ++index) {
        if (index == 60 || index == 64) continue;
        e->setParameter(e, index, set);
        pending[static_cast<size_t>(index)] = host.Text(effGetParamDisplay, index);
      }
      Settle();
      for (int index = 0; index < 71; ++index) {
        if (index == 60 || index == 64) continue;
        EXPECT_EQ(host.Text(effGetParamDisplay, index), shown(index)) << where(type, index) << ", set " << set;
        EXPECT_EQ(pending[static_cast<size_t>(index)], shown(index))
            << where(type, index) << ", set " << set << ", read before it was written";
      }
    }
    for (int index = 0; index < 71; ++index) automation->PutParamI(Row(index).id, before[static_cast<size_t>(index)]);
  }
}

// A session saved with VOLUME chosen for the six big knobs and reopened in
// a new instance shows VOLUME lit, and the first knob drives timbre 1's
// volume again: a turn reaches the image (and the synthesizer, when it is
// on) and the host hears of it as one gesture. With the synthesizer on and
// off.
TEST_F(InProcess, AReopenedSessionKeepsWhatTheBigKnobsDrive) {
  RealEditPages pages;
  auto openEditor = [&](QuorelVst* p) {
    EXPECT_EQ(host.Dispatch(effEditOpen, 0, 0, nullptr), 1);
    env.loop().RunFor(600);
    return dynamic_cast<Root*>(p->GetVstEditor()->GetLayerByIndex(0));
  };
  for (bool on : {true, false}) {
    SCOPED_TRACE(on ? "synthesizer on" : "synthesizer off");
    std::unique_ptr<SimSynthDevice> device = on ? std::make_unique<SimSynthDevice>(bus) : nullptr;
    QuorelVst* p = Make();
    ASSERT_NE(p, nullptr);
    env.loop().RunFor(5000);
    ASSERT_EQ(model().GetConnected(), on);
    Root* root = openEditor(p);
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(model().GetMode(), eMode_Combi);
    CHfcControl* volume = root->GetControlById(Root::kIdEasySetup);
    ASSERT_NE(volume, nullptr);
    root->OnHfcCtrlMouseLButtonDown(volume, 0, 0, 0);
    env.loop().RunFor(100);
    ASSERT_EQ(volume->GetIntValue(), 1) << "VOLUME was not chosen";
    std::string chunk = host.Chunk(0);
    ASSERT_FALSE(chunk.empty());
    host.Dispatch(effEditClose);
    host.Close();

    p = Make();
    ASSERT_NE(p, nullptr);
    env.loop().RunFor(5000);
    ASSERT_EQ(host.Dispatch(effSetChunk, 0, static_cast<intptr_t>(chunk.size()), chunk.data()), 1);
    root = openEditor(p);
    ASSERT_NE(root, nullptr);
    volume = root->GetControlById(Root::kIdEasySetup);
    EXPECT_EQ(volume->GetIntValue(), 1) << "VOLUME is not lit";
    CHfcControl* knob = root->GetControlById(Root::kIdRTKnob);
    ASSERT_NE(knob, nullptr);
    EXPECT_TRUE(knob->IsEnabled());
    host.ClearCalls();
    const size_t logged = device ? device->Log().size() : 0;
    root->OnHfcCtrlBeginEdit(knob);
    root->OnHfcCtrlIntValueChanged(knob, 10);
    root->OnHfcCtrlEndEdit(knob);
    env.loop().RunFor(100);
    Oskend::ISection* automation = model().GetAutomation();
    EXPECT_EQ(automation->GetParamI(0x202), 10);
    std::vector<std::pair<int32_t, int32_t>> gestures;
    for (const TestHost::Call& c : host.Calls())
      if (c.opcode == audioMasterBeginEdit || c.opcode == audioMasterEndEdit || c.opcode == audioMasterAutomate)
        gestures.emplace_back(c.opcode, c.index);
    EXPECT_EQ(gestures, (std::vector<std::pair<int32_t, int32_t>>{
                            {audioMasterBeginEdit, 0}, {audioMasterAutomate, 0}, {audioMasterEndEdit, 0}}));
    if (device) {
      const std::vector<SimSynthEvent> log = device->Log();
      bool arrived = false;
      for (size_t i = logged; i < log.size(); ++i)
        arrived = arrived || (log[i].kind == SimSynthEvent::kParamChange && log[i].section == 0 &&
                              log[i].id == 0x202 && log[i].value == 10);
      EXPECT_TRUE(arrived) << "the turn did not reach the synthesizer";
    }
    host.Dispatch(effEditClose);
    host.Close();
  }
}

}  // namespace
}  // namespace vesk::test
