#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/XEKnob.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcOffscreenContext.h"
#include "tests/editor/controls/FontFixture.h"
#include "tests/editor/controls/SkinnedControlRecords.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/hfc/HfcSkinFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using skintest::Font;
using skintest::Skin;

constexpr int kWidth = 600;
constexpr int kHeight = 330;

// An edit page with three sections: knobs, text fields and value bars,
// each in several states, drawn from the generated skins.
class Sheet : public FontFixture {
 protected:
  vesk::test::TestEnvironment env;
  std::unique_ptr<hfctest::ScopedHubs> hubs;
  std::unique_ptr<hfctest::HeadlessHfcWindow> window;
  CHfcWindowLayer layer;
  std::unique_ptr<CHfcOffscreenContext> page;
  std::vector<std::unique_ptr<CHfcControl>> controls;

  void SetUp() override {
    FontFixture::SetUp();
    hubs = std::make_unique<hfctest::ScopedHubs>();
    window = std::make_unique<hfctest::HeadlessHfcWindow>(kWidth, kHeight);
    ASSERT_TRUE(layer.Create(0, 0, kWidth, kHeight, window.get()));
    layer.Show(false);
    page = std::make_unique<CHfcOffscreenContext>(kWidth, kHeight);
    page->SetBrushColor(0xFFDCDEE2);
    page->FillRect(0, 0, kWidth, kHeight);
    Section(8, 8, 584, 100, "Knobs");
    Section(8, 116, 584, 96, "Text fields");
    Section(8, 220, 584, 102, "Value bars");
    layer.GetOffscreen()->CopyBmp(0, 0, kWidth, kHeight, page->GetBmp(), 0, 0);
  }
  void TearDown() override {
    for (auto& c : controls) c->Destroy();
    controls.clear();
    layer.Destroy();
    window.reset();
    hubs.reset();
    FontFixture::TearDown();
  }

  void Section(int x, int y, int w, int h, const char* title) {
    page->SetBrushColor(0xFF9096A0);
    page->FillRect(x, y, w, h);
    page->SetBrushColor(0xFFF1F2F4);
    page->FillRect(x + 1, y + 1, w - 2, h - 2);
    page->SetBrushColor(0xFF3A3E46);
    page->FillRect(x + 1, y + 1, w - 2, 17);
    tagHfcBmpFontInfo* helv = Font("FontHelvB11");
    page->DrawBmpTextProportional(x + 8, y + 3, title, w, helv, 0xFFFFFFFF, false);
  }
  void Label(int x, int y, int w, const std::string& text) {
    auto label = std::make_unique<hfctest::TextLabel>(text, Font("FontGeneva9"), 0xFF000000, 1);
    label->Place(x, y, w, 12, page->GetBmp(), x, y);
    layer.AddControl(label.get(), false);
    controls.push_back(std::move(label));
  }
  template <typename T>
  T* Keep(std::unique_ptr<T> c) {
    T* raw = c.get();
    layer.AddControl(raw, false);
    raw->Show(false);
    controls.push_back(std::move(c));
    return raw;
  }

  XEKnob* Knob(int x, int minimum, int maximum, int centre, int value, const char* text,
               const char* label, bool minimumMeter = false) {
    auto knob = std::make_unique<XEKnob>();
    EXPECT_TRUE(skintest::CreateFactoryKnob(knob.get(), x, 34, minimum, maximum, centre, 4,
                                            page->GetBmp(), minimumMeter));
    knob->SetIntValue(value, false);
    knob->SetPtrValue(const_cast<char*>(text), false);
    Label(x - 12, 74, 60, label);
    return Keep(std::move(knob));
  }

  // A text field the way the control factory makes one: the box skin over
  // the page, FontGeneva9, the field inset by its focus margin of 2.
  CHfcCtrlCharEditText* Field(int x, int y, int w, int h, const char* skin, int chars,
                              const char* text, int align) {
    CHfcBmp* box = Skin(skin);
    tagHfcBmpFontInfo* font = Font("FontGeneva9");
    auto field = std::make_unique<CHfcCtrlCharEditText>();
    tagHfcCtrlCharEditTextParamEx2 p{};
    p.x = x;
    p.y = y;
    p.width = w;
    p.height = box ? box->GetHeight() : h;
    p.font = font->bmp;
    p.background = page->GetBmp();
    p.backgroundX = x;
    p.backgroundY = y;
    p.overlay = box;
    p.rows = 1;
    p.columns = chars;
    p.selectionColor = 0x2B0000FF;
    p.fillColor = 0xFF000000;
    p.cursorColor = 0xFF000000;
    p.sensitivity = 1.0;
    p.fineSensitivity = 0.1;
    p.proportional = 1;
    p.fontInfo = font;
    p.textColor = 0xFF000000;
    EXPECT_TRUE(field->CreateEx2(&p, 1, 0));
    field->SetFocusColor(0xFF00FF00);
    field->GetEngine()->SetAlignment(align);
    field->SetFocusMergin(2);
    field->Move(x + 2, y + 2, false);
    field->Resize(p.width - 4, p.height - 4, false);
    field->SetPtrValue(const_cast<char*>(text), false);
    return Keep(std::move(field));
  }

  CXBCtrlHorizontalValueBar* Bar(int x, int y, int style, int minimum, int maximum, int value,
                                 bool random = false) {
    auto bar = std::make_unique<CXBCtrlHorizontalValueBar>();
    EXPECT_TRUE(skintest::CreateFactoryValueBar(bar.get(), x, y, style, minimum, maximum, 0,
                                                page->GetBmp(), random));
    bar->SetIntValue(value, false);
    bar->SetPtrValue(const_cast<char*>(std::to_string(value).c_str()), false);
    return Keep(std::move(bar));
  }
};

TEST_F(Sheet, KnobsTextFieldsAndValueBarsInTheirStates) {
  // Knobs: minimum, middle, maximum, bipolar below and at the centre,
  // "random" at the minimum, disabled, and typing a value.
  Knob(24, 0, 127, 0, 0, "0", "Minimum");
  Knob(88, 0, 127, 0, 64, "64", "Middle");
  Knob(152, 0, 127, 0, 127, "127", "Maximum");
  Knob(216, -64, 63, 0, -40, "-40", "Bipolar");
  Knob(280, -64, 63, 0, 0, "0", "Centre");
  Knob(344, 0, 127, 0, 0, "Rnd", "Random", true);
  XEKnob* off = Knob(408, 0, 127, 0, 90, "90", "Disabled");
  off->Disable(false);
  XEKnob* typing = Knob(472, 0, 127, 0, 100, "100", "Typing");
  typing->EnterEdit("100");
  typing->GetEngine()->SetSelection(0, 3);
  XEKnob* cursor = Knob(536, 0, 127, 0, 30, "30", "Cursor");
  cursor->EnterEdit("30");
  cursor->GetEngine()->Idle(1);

  // Text fields: the box sizes, right-aligned numbers, and the states.
  Field(20, 140, 154, 13, "EditText_154X13", 25, "Warm Analog Pad", 0);
  Field(184, 140, 96, 13, "EditText_96X13", 16, "Strings 2", 0);
  Field(290, 140, 40, 13, "EditText_40X13", 6, "120.00", 2);
  Field(340, 140, 37, 13, "EditText_37X13", 5, "-12", 2);
  Field(387, 140, 23, 13, "EditText_23X13", 1, "A", 1);
  Field(420, 140, 164, 16, "EditText_164X16", 27, "Bright Lead", 0);
  CHfcCtrlCharEditText* selected = Field(20, 170, 114, 13, "EditText_114X13", 19, "Selected text", 0);
  selected->EnterEdit(nullptr);
  selected->SetSelectionAll();
  CHfcCtrlCharEditText* caret = Field(144, 170, 70, 13, "EditText_70X14", 14, "Caret", 0);
  caret->EnterEdit(nullptr);
  caret->GetEngine()->Idle(1);
  Field(224, 170, 53, 13, "EditText_53X13", 11, "Off", 0)->Disable(false);
  Field(287, 170, 48, 13, "EditText_48X13", 10, "Bank A", 0);
  Label(20, 190, 154, "Name");
  Label(144, 190, 70, "Typing");
  Label(224, 190, 53, "Disabled");

  // Value bars: every style, and the states on the 96 style.
  Bar(20, 244, 96, 0, 127, 100);
  Bar(20, 262, 96, -99, 99, 0);
  Bar(20, 280, 96, -64, 63, -40);
  Bar(20, 298, 96, 0, 127, 0, true);
  Bar(130, 244, 154, -64, 64, 30);
  Bar(130, 262, 146, 0, 127, 64);
  Bar(130, 280, 103, 0, 127, 127);
  Bar(130, 298, 88, 0, 127, 20)->Disable(false);
  Bar(300, 244, 67, 0, 127, 90);
  Bar(300, 262, 30, 0, 127, 60);
  Bar(300, 280, 39, 0, 127, 100);
  Bar(380, 244, 96, 0, 127, 55)->EnterEdit("55");
  Label(380, 262, 96, "Typing");

  for (auto& c : controls) c->Update(true, false);
  window->Update(nullptr);
  const std::string path = std::string(VESK_RENDER_DIR) + "/knob_text_sheet.png";
  ASSERT_TRUE(window->platform()->WritePng(path));
  // Something of each section was drawn over the page.
  EXPECT_NE(window->platform()->Pixel(24 + 18, 34 + 3), 0u);
}

}  // namespace
