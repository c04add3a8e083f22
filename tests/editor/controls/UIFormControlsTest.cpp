#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/CXBCtrlVeloZoneGraph.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/UI_FORM_Utils.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEKnob.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/controls/XESplitKeyBar.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XEStaticText.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "tests/editor/controls/FontFixture.h"

namespace {

class FormControls : public FontFixture {
 protected:
  void SetUp() override {
    FontFixture::SetUp();
    base.Create(800, 600);
    factory.mBackground = &base;
  }
  void TearDown() override {
    FontFixture::TearDown();
  }
  CHfcControl* Make(const UI_FORMINFO& item) {
    CHfcControl* c = UI_FORM_Utils::CreateControl(&factory, item, &base);
    if (c) made.emplace_back(c);
    return c;
  }
  static UI_FORMINFO Item(const char* cls, const char* fontOrImage, int w, int h, int param = 77) {
    return UI_FORMINFO{cls, "Level", fontOrImage, 1026, param, 20, 30, w, h, 0, nullptr};
  }

  CHfcBmp base;
  XEControlCreater factory;
  std::vector<std::unique_ptr<CHfcControl>> made;
};

TEST_F(FormControls, DropdownItemsChooseTheirTypeByWidth) {
  auto* list37 = dynamic_cast<XEDropdownList*>(Make(Item("popupmenu", "", 37, 13)));
  ASSERT_NE(list37, nullptr);
  EXPECT_EQ(list37->GetWidth(), 31);  // the 31-pixel face
  EXPECT_EQ(dynamic_cast<XEDropdownList*>(Make(Item("popupmenu", "", 40, 13)))->GetWidth(), 40);
  EXPECT_EQ(Make(Item("popupmenu", "", 30, 13)), nullptr);
}

TEST_F(FormControls, TextItemsBecomeLabelsStyledByTheirFont) {
  // Height 0 shows the font the label got: "FontGeneva9" has 10-pixel cells.
  auto* label = dynamic_cast<XEStaticText*>(Make(Item("text", "FontGeneva10", 86, 0, -1)));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetHeight(), 10);
  EXPECT_EQ(label->GetText(), "Level");
  EXPECT_EQ(label->GetTextColor(), 0xFF000000u);
  EXPECT_EQ(dynamic_cast<XEStaticText*>(Make(Item("text", "FontArialB12", 86, 0, -1)))->GetHeight(), 12);
}

TEST_F(FormControls, EveryClassMakesItsControlThroughTheFactory) {
  struct Case {
    UI_FORMINFO item;
    std::function<bool(CHfcControl*)> is;
  };
  auto kind = [](int k, int width) {
    return [=](CHfcControl* c) {
      auto* s = dynamic_cast<XESoundSelector*>(c);
      return s && s->GetKind() == k && s->GetWidth() == width;
    };
  };
  const Case cases[] = {
      {Item("checkbox", "", 13, 13), [](CHfcControl* c) { return dynamic_cast<CHfcCtrlSwitch*>(c) != nullptr; }},
      {Item("edittext", "", 40, 13), [](CHfcControl* c) {
         auto* e = dynamic_cast<CHfcCtrlCharEditText*>(c);
         return e && e->GetColumns() == 6;
       }},
      // The bar takes the width of its style's picture, not the form's.
      {Item("valuebar", "", 88, 13), [](CHfcControl* c) {
         auto* b = dynamic_cast<CXBCtrlHorizontalValueBar*>(c);
         CHfcBmp* back = ResourceManager::GetInstance()->LoadImage("HorizontalValueBarBack_96X13_5C");
         return b && back && b->GetWidth() == back->GetWidth() && b->GetWidth() != 88 &&
                b->GetMaxIntValue() == 100;
       }},
      {Item("valuebar2", "", 96, 13), [](CHfcControl* c) { return dynamic_cast<CXBCtrlHorizontalValueBar*>(c) != nullptr; }},
      {Item("knob", "", 40, 40), [](CHfcControl* c) {
         auto* k = dynamic_cast<XEKnob*>(c);
         return k && k->GetTextLength() == 3 && k->GetMaxIntValue() == 100;
       }},
      {Item("knob2", "", 40, 40), [](CHfcControl* c) { return dynamic_cast<XEKnob*>(c) != nullptr; }},
      {Item("push", "Switch_CheckBox_Medium", 13, 13), [](CHfcControl* c) {
         auto* s = dynamic_cast<CHfcCtrlSwitch*>(c);
         return s && s->GetNumStates() == 2;
       }},
      {Item("keytrk", "", 1, 0), [](CHfcControl* c) { return dynamic_cast<CXBCtrlKeyTrkGraph*>(c) != nullptr; }},
      {Item("velozone", "", 0, 0), [](CHfcControl* c) { return dynamic_cast<CXBCtrlVeloZoneGraph*>(c) != nullptr; }},
      {Item("bmp", "Image_VeloZone", 0, 0), [](CHfcControl* c) {
         return dynamic_cast<XEStaticBmp*>(c) && c->GetWidth() > 0 && c->GetHeight() > 0;
       }},
      {Item("splitbarM", "", 0, 0), [](CHfcControl* c) { return dynamic_cast<Oskend::XESplitKeyBar*>(c) != nullptr; }},
      {Item("splitbarS", "", 0, 0), [](CHfcControl* c) { return dynamic_cast<Oskend::XESplitKeyBar*>(c) != nullptr; }},
      {Item("sndsel", "", 0, 0), kind(3, 96)},
      {Item("sndselLL", "", 0, 0), kind(3, 139)},
      {Item("sndselLLNUM", "", 0, 0), kind(3, 139)},
      {Item("audriffsel", "", 0, 0), kind(5, 154)},
      {Item("paramsel", "", 0, 0), kind(6, 96)},
      {Item("paramselSS", "", 0, 0), kind(6, 40)},
      {Item("paramselS", "", 0, 0), kind(6, 65)},
      {Item("paramselL", "", 0, 0), kind(6, 129)},
      {Item("paramselLL", "", 0, 0), kind(6, 154)},
      {Item("paramselNL", "", 0, 0), kind(6, 155)},
      {Item("paramselAMS", "", 0, 0), kind(7, 96)},
      {Item("progselect", "", 0, 0), kind(4, 129)},
      {Item("progselectL", "", 0, 0), kind(4, 154)},
  };
  for (const Case& c : cases) {
    CHfcControl* control = Make(c.item);
    ASSERT_NE(control, nullptr) << c.item.className;
    EXPECT_TRUE(control->IsCreated()) << c.item.className;
    EXPECT_TRUE(c.is(control)) << c.item.className;
    EXPECT_EQ(control->GetId(), 77) << c.item.className;
  }
  for (const char* none : {"drmsndsel", "drmpatsel", "exctrlsel", "Layer", "slider"})
    EXPECT_EQ(Make(Item(none, "", 0, 0)), nullptr) << none;
  EXPECT_EQ(UI_FORM_Utils::CreateControl(nullptr, Item("checkbox", "", 13, 13), &base), nullptr);
}

}  // namespace
