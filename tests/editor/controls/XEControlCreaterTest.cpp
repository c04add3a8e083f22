#include "editor/controls/XEControlCreater.h"

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "editor/controls/CMMPCtrlFlash.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CMMPCtrlScrollBar.h"
#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/CXBCtrlFilterGraph.h"
#include "editor/controls/CXBCtrlFxRoutingGraph.h"
#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/CXBCtrlTG01FilterGraph.h"
#include "editor/controls/CXBCtrlVeloZoneGraph.h"
#include "editor/controls/XEControlCreaterTables.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEDropdownListSwitch.h"
#include "editor/controls/XEKnob.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/controls/XESplitKeyBar.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XEStaticText.h"
#include "editor/controls/ZubZoneSlopeBar.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlHorizontalSlideSwitch.h"
#include "hfc/CHfcCtrlSlideSwitch.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/CHfcCtrlTextSwitch.h"
#include "tests/editor/controls/SkinnedControlFixture.h"

namespace {

using namespace skinnedtest;
using namespace XEControlCreaterTables;

// The factory over the test editor's page, with the controls it made owned
// by the test.
class FactoryTest : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    factory.mBackground = editor.back();
  }
  void TearDown() override {
    for (auto& c : made) c->Destroy();
    made.clear();
    SkinnedControlTest::TearDown();
  }
  template <typename T>
  T* Keep(T* c) {
    if (c) made.emplace_back(c);
    return c;
  }
  static CHfcBmp* Skin(const std::string& name) { return ResourceManager::GetInstance()->LoadImage(name); }

  XEControlCreater factory;
  std::vector<std::unique_ptr<CHfcControl>> made;
};

// Every skin name the factory can ask for is in the generated set, with a
// picture tall enough for the frames the factory divides it into.
TEST_F(FactoryTest, EverySkinTheFactoryNamesLoadsFromTheGeneratedSet) {
  std::set<std::string> names;
  for (const auto& b : kTextEditBoxes) names.insert(b.skin);
  for (const auto& s : kValueBarStyles) {
    names.insert(s.back);
    names.insert(s.bar);
  }
  for (const auto& t : kDropdownTypes) names.insert(t.skin);
  for (const auto& s : kSelectorStyles) names.insert(s.skin);
  for (const auto& s : kDropdownSwitchStyles) names.insert(s.skin);
  for (int i = 0; i < kFixedSkinCount; ++i) names.insert(kFixedSkins[i]);
  for (int n = 0; n < 6; ++n) names.insert(XEControlCreater::MIDIIndicatorSkin(n));
  EXPECT_GE(names.size(), 75u);
  for (const std::string& name : names) {
    CHfcBmp* bmp = Skin(name);
    ASSERT_NE(bmp, nullptr) << name;
    EXPECT_GT(bmp->GetWidth(), 0) << name;
  }
  for (const auto& t : kDropdownTypes) EXPECT_GE(Skin(t.skin)->GetHeight() / t.frames, 11) << t.skin;
  for (const auto& b : kTextEditBoxes) EXPECT_GE(Skin(b.skin)->GetWidth(), b.usedWidth) << b.skin;
  for (const auto& s : kValueBarStyles) {
    EXPECT_GE(Skin(s.back)->GetWidth(), s.barWidth + 2) << s.back;
    EXPECT_GE(Skin(s.bar)->GetWidth(), s.barWidth) << s.bar;
  }
  // And the fonts the tables name are registered.
  for (const auto& t : kDropdownTypes) EXPECT_NE(FontManager::mInstance->GetBmpFontInfo(t.font), nullptr);
  for (const auto& s : kSelectorStyles) EXPECT_NE(FontManager::mInstance->GetBmpFontInfo(s.font), nullptr);
  for (const auto& l : kLabelStyles) EXPECT_NE(FontManager::mInstance->GetBmpFontInfo(l.font), nullptr);
}

// Every operation builds a created control from the generated skins, so
// the records it fills are ones the controls accept.
TEST_F(FactoryTest, EveryOperationCreatesItsControl) {
  XEControlCreater& f = factory;
  const std::vector<std::pair<const char*, std::function<CHfcControl*()>>> ops = {
      {"static text", [&] { return f.CreateStaticText(0, 0, 60, 0, "Text", "FontHelvB11", 0xFF000000u, 0, 0, 1); }},
      {"label", [&] { return f.CreateLabel(0, 0, "Label", 60, 13, 3, 0, 1, 1); }},
      {"text edit", [&] { return f.CreateTextEdit(0, 0, 96, 13, 1, false); }},
      {"switch", [&] { return f.CreateSwitch(0, 0, "Switch_ModeSelect", 2, 1, 0); }},
      {"check box", [&] { return f.CreateCheckBox(0, 0, 1, 0); }},
      {"text switch", [&] { return f.CreateTextSwitch(0, 0, "Switch_TabSw", 2, 0xFF000000u, 1, 0); }},
      {"slide switch", [&] { return f.CreateSlideSwitch(0, 0, "Switch_CheckBox", 2, 1); }},
      {"horizontal slide switch", [&] { return f.CreateHorizontalSlideSwitch(0, 0, "Switch_CheckBox", 2, 1); }},
      {"drop-down switch", [&] { return f.CreateDropdownListSwitch(0, 0, 2, 0, 1); }},
      {"knob", [&] { return f.CreateKnob(0, 0, 0, 127, 0, false, 3, 1, false); }},
      {"value bar", [&] { return f.CreateHorizontalValueBar(0, 0, -64, 63, 0, 1, false); }},
      {"drop-down", [&] { return f.CreateDropdownList(0, 0, 16, 1); }},
      {"sound selector", [&] { return f.CreateSoundSelector(0, 0, 3, 9, 1, 0); }},
      {"zone bar", [&] { return f.CreateZoneSlopeBar(0, 0, 1, 0); }},
      {"key tracking", [&] { return f.CreateKeyTrkGraph(0, 0, 1, 1); }},
      {"velocity zones", [&] { return f.CreateVeloZoneGraph(0, 0, 1); }},
      {"routing", [&] { return f.CreateFxRoutingGraph(0, 0, 300, 0, 1); }},
      {"envelope", [&] { return f.CreateEnvelopeGraph(0, 0, 2, 1); }},
      {"mini envelope", [&] { return f.CreateMiniEnvelopeGraph(0, 0, 0, 1); }},
      {"filter", [&] { return f.CreateTG01FilterGraph(0, 0, 0xFF0060C0, 1); }},
      {"mini filter", [&] { return f.CreateMiniTG01FilterGraph(0, 0, 1); }},
      {"plain mini filter", [&] { return f.CreateMiniFilterGraph(0, 0, 1); }},
      {"split bar", [&] { return f.CreateSplitKeyBar(0, 0, 1, 1); }},
      {"picture", [&] { return f.CreateStaticBmp(0, 0, 0, 0, "Image_VeloZone", 1); }},
      {"scroll bar", [&] { return f.CreateScrollBar(0, 0, 120, 1, 1, 1); }},
      {"list", [&] { return f.CreateListControl(0, 0, 120, 80, 2, 1, 6, false, 1); }},
      {"indicator", [&] { return f.CreateMIDIIndicator(0, 0, 3, 1, false); }},
  };
  for (const auto& [name, op] : ops) {
    CHfcControl* c = Keep(op());
    ASSERT_NE(c, nullptr) << name;
    EXPECT_TRUE(c->IsCreated()) << name;
    EXPECT_EQ(c->GetId(), 1) << name;
  }
}

TEST_F(FactoryTest, ControlsLieAtTheOriginPlusTheirPlaceAndCopyTheBackgroundAtTheirPlace) {
  factory.mOriginX = 100;
  factory.mOriginY = 50;
  CHfcControl* box = Keep(factory.CreateCheckBox(10, 5, 7, 0));
  EXPECT_EQ(box->GetFrame().left, 110);
  EXPECT_EQ(box->GetFrame().top, 55);
  EXPECT_EQ(box->GetWidth(), 13);
  EXPECT_EQ(box->GetHeight(), 13);
  // The operations that place controls as given ignore the origin.
  EXPECT_EQ(Keep(factory.CreateScrollBar(10, 5, 90, 1, 0, 8))->GetFrame().left, 10);
  EXPECT_EQ(Keep(factory.CreateSplitKeyBar(10, 5, 9, 0))->GetFrame().top, 5);
  EXPECT_EQ(Keep(factory.CreateDropdownListSwitch(10, 5, 0, 0, 10))->GetFrame().left, 10);

  // Behind a blank label lies the factory's picture at the label's place
  // (10, 5), not at its place in the layer.
  CHfcBmp pattern;
  ASSERT_TRUE(pattern.Create(200, 100));
  uint32_t* px = pattern.LockPixels();
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) px[y * 200 + x] = 0xFF000000u | static_cast<uint32_t>(x << 8 | y);
  pattern.UnlockPixels();
  factory.mBackground = &pattern;
  XEStaticText* blank = Keep(factory.CreateLabel(10, 5, " ", 30, 10, 0, 0, 0, 11));
  Add(blank);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(Pixel(110 + x, 55 + y), pattern.GetPixel(10 + x, 5 + y)) << x << "," << y;
}

// A 70-pixel box is drawn with its own skin 64 wide, inset by the focus
// margin, and holds 14 characters.
TEST_F(FactoryTest, TextEditBoxesTakeTheirSkinWidthAndCharacters) {
  struct Case {
    int w, h, width, chars;
  };
  const Case cases[] = {{23, 13, 19, 1}, {37, 13, 33, 5},  {40, 13, 36, 6},  {48, 13, 44, 10},
                        {53, 13, 49, 11}, {70, 13, 60, 14}, {96, 13, 92, 16}, {114, 13, 110, 19},
                        {154, 13, 150, 25}, {164, 16, 160, 27}};
  for (const Case& c : cases) {
    CHfcCtrlCharEditText* edit = Keep(factory.CreateTextEdit(20, 30, c.w, c.h, 5, false));
    ASSERT_NE(edit, nullptr) << c.w;
    EXPECT_EQ(edit->GetWidth(), c.width) << c.w;
    EXPECT_EQ(edit->GetColumns(), c.chars) << c.w;
    EXPECT_EQ(edit->GetFrame().left, 22) << c.w;
    EXPECT_EQ(edit->GetFocusMergin(), 2);
    EXPECT_EQ(edit->GetFocusColor(), 0xFF00FF00u);
    EXPECT_FLOAT_EQ(edit->GetDisabledAlpha(), 0.25f);
  }
  // Left-aligned boxes whatever the caller asks; the others keep it.
  EXPECT_EQ(Keep(factory.CreateTextEdit(0, 0, 70, 13, 5, false))->GetEngine()->GetAlignment(), 0);
  EXPECT_EQ(Keep(factory.CreateTextEdit(0, 0, 40, 13, 5, false))->GetEngine()->GetAlignment(), 2);
  EXPECT_EQ(Keep(factory.CreateTextEdit(0, 0, 114, 13, 5, false))->GetEngine()->GetAlignment(), 0);
  // A box the table does not know has no skin: no control.
  EXPECT_EQ(factory.CreateTextEdit(0, 0, 71, 13, 5, false), nullptr);
  EXPECT_EQ(factory.CreateTextEdit(0, 0, 40, 14, 5, false), nullptr);
}

TEST_F(FactoryTest, TheSeventyPixelBoxShowsItsOwnSkin) {
  CHfcCtrlCharEditText* edit = Keep(factory.CreateTextEdit(40, 60, 70, 13, 5, false));
  Add(edit);
  CHfcBmp* skin = Skin("EditText_70X14");
  int same = 0;
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 64; ++x) same += Pixel(40 + x, 60 + y) == skin->GetPixel(x, y);
  EXPECT_EQ(same, 64 * 14);
}

// A read-only field takes no key focus on a click, and a double click does
// nothing: no editing, no drag.
TEST_F(FactoryTest, AReadOnlyTextEditIgnoresTheDoubleClick) {
  for (const bool readOnly : {false, true}) {
    CHfcCtrlCharEditText* edit = Keep(factory.CreateTextEdit(40, 60, 70, 13, 5, readOnly));
    ASSERT_NE(edit, nullptr);
    Add(edit);
    edit->SetMaxIntValue(100, false);
    edit->SetIntValue(50, false);
    Click(50, 65);
    EXPECT_EQ(editor.layer().IsFocused(edit), !readOnly) << readOnly;
    Mouse(os::MouseEvent::Kind::kDown, 50, 65, 2);
    EXPECT_EQ(edit->IsEditing(), !readOnly) << readOnly;
    if (readOnly) { EXPECT_FALSE(edit->HoldsMouseCapture()); }
    listener.values.clear();
    Drag(50, 40);
    Release(50, 40);
    if (readOnly) { EXPECT_TRUE(listener.values.empty()); }
    edit->LeaveEdit();
    editor.layer().RemoveControl(edit, false);
  }
}

TEST_F(FactoryTest, KnobTextIsPlacedByItsLength) {
  const std::pair<int, int> cases[] = {{3, 10}, {4, 7}, {0, 19}, {5, 4}};
  for (const auto& [length, x] : cases) {
    XEKnob* knob = Keep(factory.CreateKnob(0, 0, 0, 127, 64, false, length, 3, false));
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->GetTextX(), x) << length;
    EXPECT_EQ(knob->GetTextY(), 15);
    EXPECT_EQ(knob->GetTextLength(), length);
    EXPECT_EQ(knob->GetFocusColor(), 0u);
    // The knob keeps the base's disabled alpha.
    EXPECT_FLOAT_EQ(knob->GetDisabledAlpha(), 0.5f);
  }
}

TEST_F(FactoryTest, ValueBarOriginsFollowTheRange) {
  struct Case {
    int min, max, origin, expected;
  };
  const Case cases[] = {{-64, 63, 5, 5}, {-64, 64, 5, 0}, {0, 127, 5, 0},
                        {10, 20, 5, 10}, {-10, 0, 5, -10}, {-10, -2, 5, -10}};
  for (const Case& c : cases) {
    CXBCtrlHorizontalValueBar* bar =
        Keep(factory.CreateHorizontalValueBar(0, 0, 96, c.min, c.max, c.origin, 4, false));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsCreated());
    EXPECT_EQ(bar->GetOrigin(), c.expected) << c.min << ".." << c.max;
  }
}

TEST_F(FactoryTest, ValueBarStylesSizeTheBarFromTheirBackPicture) {
  for (const auto& s : kValueBarStyles) {
    CXBCtrlHorizontalValueBar* bar = Keep(factory.CreateHorizontalValueBar(0, 0, s.style, 0, 127, 0, 4, false));
    ASSERT_NE(bar, nullptr) << s.style;
    EXPECT_EQ(bar->GetWidth(), Skin(s.back)->GetWidth()) << s.style;
    EXPECT_EQ(bar->GetFocusColor(), 0u);
    EXPECT_FLOAT_EQ(bar->GetDisabledAlpha(), 0.25f);
  }
  // A style the table does not know: no control rather than a bar without
  // a back picture.
  EXPECT_EQ(factory.CreateHorizontalValueBar(0, 0, 95, 0, 127, 0, 4, false), nullptr);
}

TEST_F(FactoryTest, DropdownTypesChooseSkinAndReserve) {
  const std::pair<int, int> reserves[] = {{0, 0}, {9, 0}, {10, 20}, {11, 20}, {12, 22}, {13, 0}, {16, 40}};
  for (const auto& [type, reserve] : reserves) {
    XEDropdownList* list = Keep(factory.CreateDropdownList(0, 0, type, 5));
    ASSERT_NE(list, nullptr) << type;
    EXPECT_EQ(list->GetRightReserve(), reserve) << type;
    EXPECT_EQ(list->GetWidth(), Skin(kDropdownTypes[type].skin)->GetWidth());
  }
  EXPECT_EQ(Keep(factory.CreateDropdownList(0, 0, 9, 5))->GetWidth(), 31);
  EXPECT_EQ(Keep(factory.CreateDropdownList(0, 0, 12, 5))->GetHeight(),
            Skin("DropdownSwitch_RedBrowser")->GetHeight() / 2);
  EXPECT_EQ(factory.CreateDropdownList(0, 0, 17, 5), nullptr);
  EXPECT_EQ(factory.CreateDropdownList(0, 0, -1, 5), nullptr);
}

TEST_F(FactoryTest, SoundSelectorsTakeTheirSkinKindAndNameMode) {
  XESoundSelector* named = Keep(factory.CreateSoundSelector(0, 0, 3, 7, 6, 0));
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(named->GetKind(), 3);
  EXPECT_EQ(named->GetWidth(), 139);
  named->SetPtrValue(const_cast<char*>("A012: Warm Pad"), false);
  EXPECT_EQ(named->GetShownText(), "Warm Pad");
  XESoundSelector* full = Keep(factory.CreateSoundSelector(0, 0, 6, 6, 6, 0));
  full->SetPtrValue(const_cast<char*>("A012: Warm Pad"), false);
  EXPECT_EQ(full->GetShownText(), "A012: Warm Pad");
  EXPECT_EQ(factory.CreateSoundSelector(0, 0, 3, 15, 6, 0), nullptr);
  EXPECT_EQ(factory.CreateSoundSelector(0, 0, 3, -1, 6, 0), nullptr);
}

TEST_F(FactoryTest, LabelStylesChooseFontAndColour) {
  struct Case {
    int style;
    int height;  // the font's cell height
    uint32_t colour;
  };
  const Case cases[] = {{0, 10, 0xFF000000u}, {1, 12, 0xFF000000u}, {2, 12, 0xFF000000u},
                        {3, 11, 0xFF000000u}, {7, 10, 0xFFBF00BFu},
                        // Styles above the table: grey in the value font.
                        {8, 10, 0xFF909090u}, {-1, 10, 0xFF909090u}};
  for (const Case& c : cases) {
    XEStaticText* label = Keep(factory.CreateLabel(0, 0, "Cutoff", 60, 0, c.style, 0, 1, -1));
    ASSERT_NE(label, nullptr) << c.style;
    EXPECT_EQ(label->GetHeight(), c.height) << c.style;
    EXPECT_EQ(label->GetTextColor(), c.colour) << c.style;
    EXPECT_TRUE(label->IsEnabled());
  }
  EXPECT_EQ(factory.CreateStaticText(0, 0, 60, 0, "x", "NoSuchFont", 0xFF000000u, 0, 0, 1), nullptr);
  EXPECT_EQ(factory.CreateStaticText(0, 0, 60, 0, "x", static_cast<tagHfcBmpFontInfo*>(nullptr),
                                     0xFF000000u, 0, 0, 1),
            nullptr);
}

TEST_F(FactoryTest, MidiIndicatorsCountFromOneInSixPictures) {
  const std::pair<int, const char*> cases[] = {
      {0, "MidiIndicatorNum01Sw_p"}, {5, "MidiIndicatorNum06Sw_p"}, {7, "MidiIndicatorNum02Sw_p"},
      {-1, "MidiIndicatorNum06Sw_p"}};
  for (const auto& [n, name] : cases) EXPECT_EQ(XEControlCreater::MIDIIndicatorSkin(n), name) << n;
  CMMPCtrlFlash* flash = Keep(factory.CreateMIDIIndicator(4, 4, 7, 2, false));
  ASSERT_NE(flash, nullptr);
  CHfcBmp* picture = Skin("MidiIndicatorNum02Sw_p");
  EXPECT_EQ(flash->GetWidth(), picture->GetWidth());
  EXPECT_EQ(flash->GetHeight(), picture->GetHeight() / 3);
  EXPECT_FLOAT_EQ(flash->GetDisabledAlpha(), 0.5f);
}

TEST_F(FactoryTest, GraphsStartFromTheirDefaultPoints) {
  CXBCtrlEnvelopeGraph* pitch = Keep(factory.CreateEnvelopeGraph(0, 0, 0, 1));
  CXBCtrlEnvelopeGraph* amp = Keep(factory.CreateEnvelopeGraph(0, 0, 2, 2));
  tagEnvelopeValue v{};
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(pitch->GetEnvelopeValue(&v, i));
    EXPECT_EQ(v.level, 99);
    EXPECT_EQ(v.time, i == 5 ? 0 : 198);
    ASSERT_TRUE(amp->GetEnvelopeValue(&v, i));
    EXPECT_EQ(v.level, 0);
    EXPECT_EQ(v.time, 198);
  }
  EXPECT_EQ(pitch->GetParam().baseline, 1);
  EXPECT_EQ(amp->GetParam().baseline, 0);
  EXPECT_EQ(amp->GetParam().height, 69);
  EXPECT_EQ(pitch->GetParam().height, 65);
  CXBCtrlEnvelopeGraph* mini = Keep(factory.CreateMiniEnvelopeGraph(0, 0, 0, 3));
  EXPECT_TRUE(mini->IsReadOnly());
  ASSERT_TRUE(mini->GetEnvelopeValue(&v, 4));
  EXPECT_EQ(v.time, 0);
  CXBCtrlTG01FilterGraph* filter = Keep(factory.CreateTG01FilterGraph(0, 0, 0xFF0060C0, 4));
  tagFilterValue fv{};
  ASSERT_TRUE(filter->GetFilterValue(&fv, 0));
  EXPECT_EQ(fv.level, 99);
  EXPECT_EQ(fv.time, 0);
  EXPECT_EQ(filter->GetParam().curveFillColor, 0x100060C0u);
  EXPECT_EQ(filter->GetParam().pointFillColor, 0xFF000080u);
  ZubZoneSlopeBar* zone = Keep(factory.CreateZoneSlopeBar(0, 0, 5, 0));
  EXPECT_EQ(zone->GetZoneMax(), 127);
  EXPECT_EQ(zone->GetSlopeMax(), 127);
  ZubZoneSlopeBar* wide = Keep(factory.CreateZoneSlopeBar(0, 0, 5, 300));
  EXPECT_EQ(wide->GetWidth(), 300);
}

}  // namespace

namespace {

// Without the image cache and the fonts no skin or font can be had: the
// operations that need one give no control instead of reading a missing
// picture's size.
TEST(FactoryWithoutSkins, OperationsNeedingASkinOrFontGiveNoControl) {
  ASSERT_EQ(ResourceManager::GetInstance(), nullptr);
  ASSERT_EQ(FontManager::mInstance, nullptr);
  XEControlCreater f;
  EXPECT_EQ(f.CreateLabel(0, 0, "x", 40, 13, 0, 0, 0, 1), nullptr);
  EXPECT_EQ(f.CreateTextEdit(0, 0, 40, 13, 1, false), nullptr);
  EXPECT_EQ(f.CreateCheckBox(0, 0, 1, 0), nullptr);
  EXPECT_EQ(f.CreateTextSwitch(0, 0, "Switch_TabSw", 2, 0xFF000000u, 1, 0), nullptr);
  EXPECT_EQ(f.CreateSlideSwitch(0, 0, "Switch_CheckBox", 2, 1), nullptr);
  EXPECT_EQ(f.CreateHorizontalSlideSwitch(0, 0, "Switch_CheckBox", 2, 1), nullptr);
  EXPECT_EQ(f.CreateDropdownListSwitch(0, 0, 0, 0, 1), nullptr);
  EXPECT_EQ(f.CreateKnob(0, 0, 0, 127, 0, false, 3, 1, false), nullptr);
  EXPECT_EQ(f.CreateHorizontalValueBar(0, 0, 0, 127, 0, 1, false), nullptr);
  EXPECT_EQ(f.CreateDropdownList(0, 0, 4, 1), nullptr);
  EXPECT_EQ(f.CreateSoundSelector(0, 0, 3, 4, 1, 0), nullptr);
  EXPECT_EQ(f.CreateZoneSlopeBar(0, 0, 1, 0), nullptr);
  EXPECT_EQ(f.CreateKeyTrkGraph(0, 0, 0, 1), nullptr);
  EXPECT_EQ(f.CreateVeloZoneGraph(0, 0, 1), nullptr);
  EXPECT_EQ(f.CreateEnvelopeGraph(0, 0, 0, 1), nullptr);
  EXPECT_EQ(f.CreateStaticBmp(0, 0, 0, 0, "Image_VeloZone", 1), nullptr);
  EXPECT_EQ(f.CreateScrollBar(0, 0, 90, 1, 0, 1), nullptr);
  EXPECT_EQ(f.CreateListControl(0, 0, 90, 90, 0, 1, 6, false, 1), nullptr);
  EXPECT_EQ(f.CreateMIDIIndicator(0, 0, 0, 1, false), nullptr);
  // The split bar fetches its own pictures and stays uncreated.
  std::unique_ptr<CHfcControl> bar(f.CreateSplitKeyBar(0, 0, 1, 0));
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->IsCreated());
}

}  // namespace
