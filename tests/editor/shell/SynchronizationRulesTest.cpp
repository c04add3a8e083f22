// The rules by which a page brings a linked control up to date and writes
// its edits, against a section of the test's own whose descriptions the
// test sets at will.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "hfc/CHfcCtrlSlideSwitch.h"
#include "model/ISection.h"
#include "tests/editor/shell/ShellTestKit.h"
#include "tests/support/pageharness/PageHarness.h"

namespace {

using namespace shelltest;
using vesk::test::PageHarness;

// Texts "v<value>"; a pair with sub text "s<value>". Parse reads digits
// after a 'v', else gives 99.
class VConverter : public IStringConverter {
 public:
  std::string prefix = "v";
  std::string Format(int v) const override {
    return prefix + std::to_string(v) + std::string(1, '\0') + "s" + std::to_string(v);
  }
  int Parse(const char* text) const override { return text[0] == 'v' ? std::atoi(text + 1) : 99; }
  std::pair<int32_t, int32_t> Range() const override { return {0, 127}; }
};

class FakeSection : public Oskend::ISection {
 public:
  struct Row {
    SParamDesc desc{};
    int value = 0;
    std::string text;
  };
  std::map<int, Row> rows;
  std::set<Oskend::ISectionSink*> sinks;
  std::vector<std::pair<int, int>> writes;
  VConverter converter;

  Row& Add(int pid, int ptype, int min, int max, uint32_t flags = 0) {
    Row& r = rows[pid];
    r.desc.id = pid;
    r.desc.ptype = ptype;
    r.desc.min = min;
    r.desc.max = max;
    r.desc.flags = flags;
    r.desc.converter = &converter;
    return r;
  }
  bool AdviseSink(Oskend::ISectionSink* s) override { return s && sinks.insert(s).second; }
  bool UnadviseSink(Oskend::ISectionSink* s) override { return sinks.erase(s) > 0; }
  int GetParamCount() override { return static_cast<int>(rows.size()); }
  int GetParamIDByIndex(unsigned) override { return -1; }
  int GetIndexByParamID(int id) override { return rows.count(id) ? 0 : -1; }
  bool GetParamDescByIndex(unsigned, SParamDesc*) override { return false; }
  bool GetParamDesc(int id, SParamDesc* out) override {
    auto it = rows.find(id);
    if (it == rows.end()) return false;
    *out = it->second.desc;
    return true;
  }
  int GetParamI(int id) override { return rows[id].value; }
  int GetParamI_AvoidToCallISectionsPrepareParamDesc(int id) override { return rows[id].value; }
  int PutParamI(int id, int value) override {
    writes.emplace_back(id, value);
    rows[id].value = value;
    return value;
  }
  int PutParamIEx(int id, int value, unsigned, eChgSource) override { return PutParamI(id, value); }
  std::string GetParamS(int id) override { return rows[id].text; }
  std::string PutParamS(int id, const char* text) override {
    writes.emplace_back(id, -1);
    return rows[id].text = text;
  }
  std::string PutParamSEx(int id, const char* t, unsigned, eChgSource) override {
    return PutParamS(id, t);
  }
  unsigned RawSize() override { return 0; }
  unsigned RawGet(void*, unsigned, unsigned) override { return 0; }
  unsigned RawPut(const void*, unsigned, unsigned) override { return 0; }
  int GetOSCMode() override { return 0; }
};

class SynchronizationRulesTest : public ::testing::Test {
 protected:
  SynchronizationRulesTest() : h(PageHarness::Options{false, false}) {}
  void SetUp() override { ASSERT_TRUE(h.AddPage(page)); }
  void TearDown() override { h.DestroyPage(page); }
  template <typename T>
  T* Link(T* control, int pid) {
    page.Put(control);
    page.LinkControlWithParam(control, &section, pid);
    page.SynchronizeControlWithParam(control, true);
    return control;
  }

  PageHarness h;
  TestPage page{h.synth()};
  FakeSection section;
  XEControlCreater factory;
};

TEST_F(SynchronizationRulesTest, FlagsDisableAndHideTheControlWithItsLabel) {
  section.Add(1, PTYPE_CONT, 0, 127);
  XEKnob* knob = Link(MakeKnob(1, 10, 10), 1);
  XEStaticText* label = page.Put(MakeLabel(1 + 0xBA00, 10, 60, 50, "One"));
  EXPECT_TRUE(knob->IsEnabled());
  struct Step {
    uint32_t flags;
    bool enabled, visible;
  } steps[] = {{0x1, false, true}, {0x2, false, true}, {0x4, true, false}, {0x0, true, true}};
  for (const Step& s : steps) {
    section.rows[1].desc.flags = s.flags;
    page.Idle(16);  // clears any earlier redraw request
    page.OnIdleSectionParamPropsChanged(&section, 1);
    EXPECT_EQ(knob->IsEnabled(), s.enabled) << s.flags;
    EXPECT_EQ(knob->IsVisible(), s.visible) << s.flags;
    EXPECT_EQ(label->IsVisible(), s.visible) << s.flags;
    EXPECT_EQ(page.IsRedrawRequested(), !s.visible) << s.flags;
  }
  // A plain value change leaves the shown state alone.
  section.rows[1].desc.flags = 0x4;
  page.OnIdleSectionParamChanged(&section, 1);
  EXPECT_TRUE(knob->IsVisible());
}

TEST_F(SynchronizationRulesTest, TextParametersSetTheTextAndSlideSwitchesRunUpsideDown) {
  section.Add(2, PTYPE_STRING, 0, 0).text = "Init Program";
  XEStaticText* name = Link(MakeLabel(2, 10, 10, 100, ""), 2);
  EXPECT_EQ(name->GetText(), "Init Program");
  // Edits of a text parameter are written as text.
  page.OnHfcCtrlPtrValueChanged(name, const_cast<char*>("New Name"));
  EXPECT_EQ(section.rows[2].text, "New Name");

  section.Add(3, PTYPE_ONOFF, 0, 1).value = 0;
  CHfcCtrlSlideSwitch* slide = Link(factory.CreateSlideSwitch(10, 40, "Switch_CheckBox", 2, 3), 3);
  ASSERT_NE(slide, nullptr);
  EXPECT_EQ(slide->GetIntValue(), 1);
  page.OnHfcCtrlIntValueChanged(slide, 1);
  EXPECT_EQ(section.rows[3].value, 0);
  page.OnHfcCtrlIntValueChanged(slide, 0);
  EXPECT_EQ(section.rows[3].value, 1);
}

// A two-position slide switch shows each of the parameter's first two
// values on a position of its own, the lowest value at its top position
// (the highest state), and a click on a position writes that value back;
// also for a parameter of a third value (the oscillator mode's drums),
// which would otherwise lift both shown values past its last picture.
TEST_F(SynchronizationRulesTest, ASlideSwitchShowsEachValueOnItsOwnPosition) {
  struct Case {
    int min, max;
    int value;  // stored
    int state;  // shown
  };
  const Case cases[] = {{0, 1, 0, 1}, {0, 1, 1, 0}, {0, 2, 0, 1}, {0, 2, 1, 0}, {1, 2, 1, 1}, {1, 2, 2, 0}};
  int pid = 10;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.min) + ".." + std::to_string(c.max) + " = " + std::to_string(c.value));
    section.Add(pid, PTYPE_ENUM, c.min, c.max).value = c.value;
    CHfcCtrlSlideSwitch* slide = Link(factory.CreateSlideSwitch(10, 40, "Switch_OscillatorMode", 2, pid), pid);
    ASSERT_NE(slide, nullptr);
    EXPECT_EQ(slide->GetMaxIntValue(), 1);
    EXPECT_EQ(slide->GetIntValue(), c.state);
    page.OnHfcCtrlIntValueChanged(slide, 1 - c.state);
    page.OnHfcCtrlIntValueChanged(slide, c.state);
    ASSERT_GE(section.writes.size(), 2u);
    EXPECT_EQ(section.writes[section.writes.size() - 2].second, c.value == c.min ? c.min + 1 : c.min);
    EXPECT_EQ(section.writes.back().second, c.value);
    ++pid;
  }
}

TEST_F(SynchronizationRulesTest, TypedNumbersAndTextTakeTheirRoutes) {
  section.Add(4, PTYPE_CONT, -10, 10, 0x100);          // numeric entry
  section.Add(5, PTYPE_CONT, 0, 10, 0x100 | 0x200);    // numeric entry counted from 1
  section.Add(6, PTYPE_CONT, 0, 127);                  // converter only
  XEKnob* a = Link(MakeKnob(4, 10, 10), 4);
  XEKnob* b = Link(MakeKnob(5, 60, 10), 5);
  XEKnob* c = Link(MakeKnob(6, 110, 10), 6);
  const struct {
    XEKnob* knob;
    int pid;
    const char* text;
    int written;
  } cases[] = {
      {a, 4, "0", 0},    {a, 4, "7", 7},     {a, 4, "-3", -3}, {a, 4, "abc", 99},
      {a, 4, "50", 99},  {b, 5, "0", 1},     {b, 5, "4", 5},   {b, 5, "10", 99},
      {c, 6, "v12", 12}, {c, 6, "12", 99},
  };
  for (const auto& t : cases) {
    page.OnHfcCtrlPtrValueChanged(t.knob, const_cast<char*>(t.text));
    ASSERT_FALSE(section.writes.empty());
    EXPECT_EQ(section.writes.back(), std::make_pair(t.pid, t.written)) << t.text;
  }
  // A description that cannot be read: nothing is written.
  const size_t before = section.writes.size();
  section.rows.erase(6);
  page.OnHfcCtrlPtrValueChanged(c, const_cast<char*>("v1"));
  EXPECT_EQ(section.writes.size(), before);
  // Losing focus shows the stored value again.
  section.rows[4].value = -2;
  page.OnHfcCtrlKeyLostFocus(a);
  EXPECT_EQ(a->GetIntValue(), -2);
  EXPECT_STREQ(static_cast<const char*>(a->GetPtrValue()), "v-2");
}

TEST_F(SynchronizationRulesTest, ADropDownIsFilledFromItsConverterAndRefilledOnlyForANewRange) {
  section.Add(7, PTYPE_ENUM, 0, 3).value = 2;
  XEDropdownList* list = Link(factory.CreateDropdownList(10, 10, 4, 7), 7);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->GetItemCount(), 4);
  std::string text;
  ASSERT_TRUE(list->GetItemText(text, 3));
  EXPECT_EQ(text, "v3");
  EXPECT_EQ(list->GetIntValue(), 2);
  auto first = [&] {
    std::string t;
    list->GetItemText(t, 0);
    return t;
  };
  // A plain value change keeps the items (a new converter text would show).
  section.converter.prefix = "w";
  section.rows[7].value = 1;
  page.OnIdleSectionParamChanged(&section, 7);
  EXPECT_EQ(first(), "v0");
  EXPECT_EQ(list->GetIntValue(), 1);
  // A change of properties refills them.
  page.OnIdleSectionParamPropsChanged(&section, 7);
  EXPECT_EQ(first(), "w0");
  // So does a value change once the range no longer matches.
  section.converter.prefix = "x";
  section.rows[7].desc.max = 4;
  page.OnIdleSectionParamChanged(&section, 7);
  EXPECT_EQ(first(), "x0");
  EXPECT_EQ(list->GetItemCount(), 5);
}

// A full synchronisation gives a value bar and a knob the parameter's
// default, and a bar its sign: bipolar for the signed 8- and 16-bit fields.
TEST_F(SynchronizationRulesTest, BarsAndKnobsTakeTheDefaultAndBarsTheSignOfTheirField) {
  const struct {
    int32_t atype;
    bool bipolar;
  } cases[] = {{ATYPE_SBF8, true},    {ATYPE_SBF8C64, true}, {ATYPE_SBF8C2, true},
               {ATYPE_SBF16B, true},  {ATYPE_SBF16L, true},  {ATYPE_SBF32B, false},
               {ATYPE_UBF8, false},   {26, false}};
  int pid = 20;
  for (const auto& c : cases) {
    FakeSection::Row& row = section.Add(pid, PTYPE_CONT, -64, 63);
    row.desc.atype = c.atype;
    row.desc.def = -7;
    auto* bar = Link(factory.CreateHorizontalValueBar(10, 10, -64, 63, 0, pid, false), pid);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->IsBipolar(), c.bipolar) << c.atype;
    EXPECT_EQ(bar->GetDefaultValue(), -7) << c.atype;
    ++pid;
  }
  FakeSection::Row& row = section.Add(pid, PTYPE_CONT, 0, 127);
  row.desc.def = 64;
  XEKnob* knob = Link(MakeKnob(pid, 10, 40), pid);
  EXPECT_EQ(knob->GetDefaultValue(), 64);
  // Only a full synchronisation reads the default again.
  section.rows[pid].desc.def = 10;
  page.OnIdleSectionParamChanged(&section, pid);
  EXPECT_EQ(knob->GetDefaultValue(), 64);
  page.OnIdleSectionParamPropsChanged(&section, pid);
  EXPECT_EQ(knob->GetDefaultValue(), 10);
}

TEST_F(SynchronizationRulesTest, AHiddenPageNotesReinitialisedSectionsAndCatchesUpWhenShown) {
  section.Add(8, PTYPE_CONT, 0, 127).value = 5;
  XEKnob* knob = Link(MakeKnob(8, 10, 10), 8);
  page.Hide(false);
  section.rows[8].value = 40;
  page.OnIdleSectionReinitialized(&section);
  page.OnIdleSectionReinitialized(&section);
  EXPECT_EQ(page.GetPendingSections().size(), 1u);
  EXPECT_EQ(knob->GetIntValue(), 5);
  page.Show(false);
  EXPECT_EQ(knob->GetIntValue(), 40);
  EXPECT_TRUE(page.IsRedrawRequested());
  // Shown, a reinitialisation resynchronises at once.
  section.rows[8].value = 41;
  page.OnIdleSectionReinitialized(&section);
  EXPECT_EQ(knob->GetIntValue(), 41);
}

}  // namespace
