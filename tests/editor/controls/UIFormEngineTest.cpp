#include <gtest/gtest.h>

#include <map>
#include <string>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/UIFormManager.h"
#include "editor/controls/UI_FORM_Utils.h"

namespace {

// What each page form holds once its page is laid out: items, items that
// show a parameter, and items by class.
struct FormShape {
  int id;
  int items;
  int linked;
  std::map<std::string, int> classes;
};

const FormShape kShapes[kUiFormCount] = {
    {ID_PROG_PLAY_SUBTAB0, 44, 15, {{"text", 22}, {"bmp", 7}, {"valuebar", 7}, {"popupmenu", 4}, {"checkbox", 3}, {"audriffsel", 1}}},
    {ID_PROG_PLAY_SUBTAB1, 65, 25, {{"text", 34}, {"bmp", 6}, {"valuebar", 23}, {"popupmenu", 2}}},
    {ID_PROG_PLAY_SUBTAB2, 47, 22, {{"text", 22}, {"bmp", 3}, {"edittext", 8}, {"valuebar", 7}, {"push", 2}, {"popupmenu", 2}, {"paramsel", 2}, {"checkbox", 1}}},
    {ID_PROG_PLAY_SUBTAB3, 47, 22, {{"text", 22}, {"bmp", 3}, {"edittext", 8}, {"valuebar", 7}, {"push", 2}, {"popupmenu", 2}, {"paramsel", 2}, {"checkbox", 1}}},
    {ID_PROG_BASIC_PROGBASIC, 29, 10, {{"text", 13}, {"bmp", 6}, {"popupmenu", 5}, {"checkbox", 4}, {"valuebar", 1}}},
    {ID_PROG_OSC_OSC1, 57, 21, {{"text", 28}, {"bmp", 8}, {"valuebar", 10}, {"popupmenu", 7}, {"checkbox", 4}}},
    {ID_PROG_OSC_OSC2, 57, 21, {{"text", 28}, {"bmp", 8}, {"valuebar", 10}, {"popupmenu", 7}, {"checkbox", 4}}},
    {ID_PROG_OSC_COMMON, 51, 18, {{"text", 25}, {"bmp", 8}, {"valuebar", 8}, {"popupmenu", 4}, {"edittext", 4}, {"velozone", 2}}},
    {ID_PROG_PITCH_OSC1, 57, 21, {{"text", 26}, {"bmp", 10}, {"valuebar", 14}, {"paramselAMS", 4}, {"checkbox", 2}, {"popupmenu", 1}}},
    {ID_PROG_PITCH_OSC2, 57, 21, {{"text", 26}, {"bmp", 10}, {"valuebar", 14}, {"paramselAMS", 4}, {"checkbox", 2}, {"popupmenu", 1}}},
    {ID_PROG_PITCH_EG, 66, 26, {{"text", 32}, {"bmp", 8}, {"edittext", 17}, {"popupmenu", 4}, {"paramselAMS", 4}, {"valuebar", 1}}},
    {ID_PROG_LFOs_OSC1_LFO1, 43, 16, {{"text", 21}, {"bmp", 6}, {"valuebar", 8}, {"paramselAMS", 4}, {"checkbox", 3}, {"paramsel", 1}}},
    {ID_PROG_LFOs_OSC1_LFO2, 43, 16, {{"text", 21}, {"bmp", 6}, {"valuebar", 8}, {"paramselAMS", 4}, {"checkbox", 3}, {"paramsel", 1}}},
    {ID_PROG_LFOs_OSC2_LFO1, 43, 16, {{"text", 21}, {"bmp", 6}, {"valuebar", 8}, {"paramselAMS", 4}, {"checkbox", 3}, {"paramsel", 1}}},
    {ID_PROG_LFOs_OSC2_LFO2, 43, 16, {{"text", 21}, {"bmp", 6}, {"valuebar", 8}, {"paramselAMS", 4}, {"checkbox", 3}, {"paramsel", 1}}},
    {ID_PROG_LFOs_COMMMON_LFO, 34, 12, {{"text", 16}, {"bmp", 6}, {"valuebar", 5}, {"paramselAMS", 4}, {"checkbox", 2}, {"paramsel", 1}}},
    {ID_PROG_AMSMIXKEYTRK_OSC1AMSMIX, 94, 86, {{"text", 46}, {"bmp", 6}, {"valuebar", 22}, {"paramselAMS", 10}, {"popupmenu", 8}, {"checkbox", 2}}},
    {ID_PROG_AMSMIXKEYTRK_OSC2AMSMIX, 94, 86, {{"text", 46}, {"bmp", 6}, {"valuebar", 22}, {"paramselAMS", 10}, {"popupmenu", 8}, {"checkbox", 2}}},
    {ID_PROG_AMSMIXKEYTRK_COMMONKEYTRK, 42, 16, {{"text", 20}, {"bmp", 6}, {"valuebar", 8}, {"edittext", 6}, {"keytrk", 2}}},
    {ID_PROG_FILTER1_BASIC, 50, 18, {{"text", 26}, {"bmp", 6}, {"valuebar", 12}, {"paramselAMS", 4}, {"checkbox", 2}}},
    {ID_PROG_FILTER1_MOD, 66, 25, {{"text", 32}, {"bmp", 9}, {"valuebar", 16}, {"paramselAMS", 5}, {"edittext", 3}, {"keytrk", 1}}},
    {ID_PROG_FILTER1_LFO_MOD, 51, 21, {{"text", 24}, {"bmp", 6}, {"valuebar", 18}, {"paramselAMS", 3}}},
    {ID_PROG_FILTER1_EG, 77, 34, {{"text", 35}, {"bmp", 8}, {"edittext", 24}, {"paramselAMS", 5}, {"popupmenu", 4}, {"valuebar", 1}}},
    {ID_PROG_FILTER2_BASIC, 50, 18, {{"text", 26}, {"bmp", 6}, {"valuebar", 12}, {"paramselAMS", 4}, {"checkbox", 2}}},
    {ID_PROG_FILTER2_MOD, 66, 25, {{"text", 32}, {"bmp", 9}, {"valuebar", 16}, {"paramselAMS", 5}, {"edittext", 3}, {"keytrk", 1}}},
    {ID_PROG_FILTER2_LFO_MOD, 51, 21, {{"text", 24}, {"bmp", 6}, {"valuebar", 18}, {"paramselAMS", 3}}},
    {ID_PROG_FILTER2_EG, 77, 34, {{"text", 35}, {"bmp", 8}, {"edittext", 24}, {"paramselAMS", 5}, {"popupmenu", 4}, {"valuebar", 1}}},
    {ID_PROG_AMP1_MOD, 47, 17, {{"text", 23}, {"bmp", 7}, {"valuebar", 10}, {"edittext", 3}, {"paramselAMS", 3}, {"keytrk", 1}}},
    {ID_PROG_AMP1_EG, 75, 33, {{"text", 34}, {"bmp", 8}, {"edittext", 23}, {"paramselAMS", 5}, {"popupmenu", 4}, {"valuebar", 1}}},
    {ID_PROG_AMP2_MOD, 47, 17, {{"text", 23}, {"bmp", 7}, {"valuebar", 10}, {"edittext", 3}, {"paramselAMS", 3}, {"keytrk", 1}}},
    {ID_PROG_AMP2_EG, 75, 33, {{"text", 34}, {"bmp", 8}, {"edittext", 23}, {"paramselAMS", 5}, {"popupmenu", 4}, {"valuebar", 1}}},
    {ID_PROG_IFX_ROUTING, 7, 2, {{"text", 3}, {"bmp", 2}, {"popupmenu", 2}}},
    {ID_PROG_IFX_SETUP, 45, 32, {{"text", 15}, {"bmp", 7}, {"valuebar", 15}, {"popupmenu", 8}}},
    {ID_PROG_MFX_ROUTING, 7, 2, {{"text", 3}, {"bmp", 2}, {"checkbox", 1}, {"valuebar", 1}}},
    {ID_COMBI_PLAY_MAIN, 101, 56, {{"text", 23}, {"bmp", 22}, {"knob", 18}, {"valuebar", 9}, {"popupmenu", 8}, {"push", 6}, {"sndselLLNUM", 6}, {"paramselNL", 5}, {"checkbox", 2}, {"edittext", 1}, {"splitbarM", 1}}},
    {ID_COMBI_PLAY_SUB, 101, 56, {{"text", 23}, {"bmp", 22}, {"knob", 18}, {"valuebar", 9}, {"popupmenu", 8}, {"push", 6}, {"sndselLLNUM", 6}, {"paramselNL", 5}, {"checkbox", 2}, {"edittext", 1}, {"splitbarS", 1}}},
    {ID_COMBI_TIMBPARAM_MIXER, 96, 41, {{"text", 23}, {"bmp", 32}, {"knob", 29}, {"knob2", 12}}},
    {ID_COMBI_TIMBPARAM_MIDIOSC, 146, 84, {{"text", 30}, {"bmp", 32}, {"popupmenu", 48}, {"edittext", 36}}},
    {ID_COMBI_TIMBPARAM_PITCHOTHER, 104, 48, {{"text", 24}, {"bmp", 32}, {"edittext", 36}, {"checkbox", 12}}},
    {ID_COMBI_TIMBPARAM_FILTER1, 172, 120, {{"text", 34}, {"bmp", 18}, {"checkbox", 120}}},
    {ID_COMBI_TIMBPARAM_FILTERADSR, 160, 96, {{"text", 32}, {"bmp", 32}, {"knob", 96}}},
    {ID_COMBI_IFX_ROUTING, 75, 24, {{"text", 15}, {"bmp", 36}, {"edittext", 24}}},
    {ID_COMBI_IFX_SETUP, 36, 25, {{"text", 9}, {"bmp", 7}, {"valuebar", 15}, {"popupmenu", 5}}},
    {ID_COMBI_MFX_ROUTING, 7, 2, {{"text", 3}, {"bmp", 2}, {"checkbox", 1}, {"valuebar", 1}}},
    {ID_GLOBAL_MIDI_EXTERNAL, 36, 16, {{"text", 12}, {"bmp", 8}, {"popupmenu", 8}, {"paramselS", 8}}},
};

class FormEngine : public ::testing::Test {
 protected:
  FormEngine() { UIFormManager::Initialize(); }
  ~FormEngine() override { UIFormManager::Uninitialize(); }
  UIFormManager& forms() { return *UIFormManager::GetInstance(); }
};

TEST_F(FormEngine, TableHoldsTheFortyFivePageFormsInOrder) {
  ASSERT_EQ(forms().GetLayerFormInfoCount(), 45);
  EXPECT_EQ(g_uiFormInfoBlock.forms, g_uiFormInfoArray);
  for (int i = 0; i < kUiFormCount; ++i) {
    const UI_FORMINFO* f = forms().GetLayerFormInfoByIndex(i);
    ASSERT_NE(f, nullptr) << i;
    EXPECT_EQ(f->id, kShapes[i].id) << i;
    EXPECT_STREQ(f->className, "Layer");
    EXPECT_STREQ(f->text, "");
    EXPECT_STREQ(f->fontOrImage, "");
    EXPECT_EQ(f->paramId, -1);
    EXPECT_EQ(f->x, 0);
    EXPECT_EQ(f->y, 0);
    EXPECT_EQ(f->width, 559);
    EXPECT_EQ(f->height, 230);
    EXPECT_EQ(f->childCount == 0, f->children == nullptr) << i;
  }
}

// Every form holds the counts above; the items are flat (no grandchildren).
TEST_F(FormEngine, FormsWithItemsHoldTheirCounts) {
  for (int i = 0; i < kUiFormCount; ++i) {
    const UI_FORMINFO& f = g_uiFormInfoArray[i];
    ASSERT_NE(f.children, nullptr) << std::hex << f.id << " has no items";
    EXPECT_EQ(f.childCount, kShapes[i].items) << std::hex << f.id;
    int linked = 0;
    std::map<std::string, int> classes;
    for (int k = 0; k < f.childCount; ++k) {
      const UI_FORMINFO& item = f.children[k];
      linked += item.paramId != -1;
      ++classes[item.className];
      EXPECT_EQ(item.childCount, 0);
    }
    EXPECT_EQ(linked, kShapes[i].linked) << std::hex << f.id;
    EXPECT_EQ(classes, kShapes[i].classes) << std::hex << f.id;
  }
}

TEST_F(FormEngine, LookUpByIdAndIndex) {
  const UI_FORMINFO* first = forms().GetLayerFormInfoById(0x40C);
  EXPECT_EQ(first, &g_uiFormInfoArray[0]);
  EXPECT_EQ(forms().GetLayerFormInfoById(ID_GLOBAL_MIDI_EXTERNAL), &g_uiFormInfoArray[44]);
  EXPECT_EQ(forms().GetLayerFormInfoById(ID_PROG_BASIC_PROGBASIC), &g_uiFormInfoArray[4]);
  EXPECT_EQ(forms().GetLayerFormInfoById(0x401), nullptr);
  EXPECT_EQ(forms().GetLayerFormInfoById(0x434), nullptr);
  EXPECT_EQ(forms().GetLayerFormInfoByIndex(45), nullptr);
  EXPECT_EQ(forms().GetLayerFormInfoByIndex(-1), nullptr);
}

TEST(UIFormManagerLifetime, CountsStartsAndStops) {
  ASSERT_EQ(UIFormManager::GetInstance(), nullptr);
  UIFormManager::Uninitialize();  // without a start: nothing
  EXPECT_TRUE(UIFormManager::Initialize());
  UIFormManager* first = UIFormManager::GetInstance();
  EXPECT_TRUE(UIFormManager::Initialize());
  EXPECT_EQ(UIFormManager::GetInstance(), first);
  EXPECT_EQ(UIFormManager::mRefCounter, 2);
  UIFormManager::Uninitialize();
  EXPECT_EQ(UIFormManager::GetInstance(), first);
  UIFormManager::Uninitialize();
  EXPECT_EQ(UIFormManager::GetInstance(), nullptr);
  EXPECT_EQ(UIFormManager::mRefCounter, 0);
}

UI_FORMINFO Item(const char* cls, const char* text = "", const char* font = "", int width = 0) {
  return {cls, text, font, kUiDesign_Text, -1, 20, 46, width, 13, 0, nullptr};
}

TEST(UIFormUtils, ClassNamesHaveTheirNumbers) {
  struct Case {
    const char* name;
    int number;
    bool control;
  };
  const Case cases[] = {
      {"bmp", 21, true},      {"sndselLL", 26, true},     {"Layer", -1, false},    {"text", 0, false},
      {"checkbox", 11, true}, {"progselectL", 40, true},  {"drmsndsel", 28, true}, {"sndselLLNUM", 27, true},
      {"keytrk", 19, true},   {"paramselAMS", 38, true},  {"Text", -1, false},     {"", -1, false},
  };
  for (const Case& c : cases) {
    const int n = UI_FORM_Utils::GetItemClassInt(Item(c.name));
    EXPECT_EQ(n, c.number) << c.name;
    EXPECT_EQ(UI_FORM_Utils::IsControlClass(n), c.control) << c.name;
  }
  EXPECT_EQ(UI_FORM_Utils::gClassName2IntMap.size(), 30u);
  UI_FORMINFO nameless = Item("text");
  nameless.className = nullptr;
  EXPECT_EQ(UI_FORM_Utils::GetItemClassInt(nameless), -1);
  for (int n : {1, 10, 25}) EXPECT_EQ(UI_FORM_Utils::IsControlClass(n), n > 10);
}

TEST(UIFormUtils, LabelStyleFollowsTheFont) {
  EXPECT_EQ(UI_FORM_Utils::GetLabelStyle(Item("text", "Voice Assign Mode", "FontGeneva10")), 0);
  EXPECT_EQ(UI_FORM_Utils::GetLabelStyle(Item("text", "OSC Common", "FontArialB12")), 1);
  EXPECT_EQ(UI_FORM_Utils::GetLabelStyle(Item("text", "Voice", "FontHelvB11")), 2);
  EXPECT_EQ(UI_FORM_Utils::GetLabelStyle(Item("text", "x", nullptr)), 0);
}

TEST(UIFormUtils, DropdownTypeFollowsTheWidth) {
  struct Case {
    int width, type;
  };
  const Case cases[] = {{37, 9}, {40, 7},  {30, -1},  {31, 9},  {39, 9},  {64, 7},  {65, 6},
                        {79, 6}, {80, 5},  {95, 5},   {96, 4},  {114, 4}, {115, 2}, {127, 2},
                        {128, 1}, {153, 1}, {154, 0}, {400, 0}, {0, -1}};
  for (const Case& c : cases) EXPECT_EQ(UI_FORM_Utils::GetDropdownTypeByWidth(c.width), c.type) << c.width;
}

TEST(UIFormUtils, TextInfoTakesTheFontOrElseThePicture) {
  ResourceManager::Initialize();
  FontManager::Initialize();
  const stTextDrawInfo text = UI_FORM_Utils::CreateDrawTextInfo(Item("text", "Voice", "FontHelvB11", 80));
  EXPECT_EQ(text.itemId, kUiDesign_Text);
  EXPECT_EQ(text.x, 20);
  EXPECT_EQ(text.y, 46);
  EXPECT_EQ(text.width, 80);
  EXPECT_EQ(text.text, "Voice");
  EXPECT_EQ(text.font, FontManager::mInstance->GetBmpFontInfo("FontHelvB11"));
  EXPECT_EQ(text.picture, nullptr);
  const stTextDrawInfo picture = UI_FORM_Utils::CreateDrawTextInfo(Item("bmp", "", "Image_KeyTrk"));
  EXPECT_EQ(picture.font, nullptr);
  EXPECT_EQ(picture.picture, ResourceManager::GetInstance()->LoadImage("Image_KeyTrk"));
  const stTextDrawInfo none = UI_FORM_Utils::CreateDrawTextInfo(Item("text", "?", "NoSuchThing"));
  EXPECT_EQ(none.font, nullptr);
  EXPECT_EQ(none.picture, nullptr);
  FontManager::Uninitialize();
  ResourceManager::Uninitialize();
}

}  // namespace
