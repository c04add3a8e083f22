// Every view of the editor checked for its layout: the root layer with the
// front panel, each main tab and sub-tab of the three modes, and each
// browser and dialog over the panel. A control past the window or its page,
// two controls on top of each other, or a text wider than its box (labels,
// value texts at their widest value, list items, tab names) fails, naming
// the view, the control and the text. Every view is drawn into
// <build>/tests/pages (editor_*.png) and onto a contact sheet per mode and
// one for the browsers and dialogs (editor_*_sheet.png).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor/browsers/ModalBrowsers.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XEStaticText.h"
#include "editor/pages/combi_global/TesraCombiPlayLayer.h"
#include "editor/pages/program/OskendProgPlayLayer.h"
#include "editor/shell/AboutLayer.h"
#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/IModalBrowsers.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "editor/shell/XELayerBase.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlKeyboard.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/support/pageharness/ContactSheet.h"
#include "tests/support/pageharness/LayoutCheck.h"
#include "tests/support/pageharness/LayoutScene.h"
#include "tests/support/pageharness/PageHarness.h"
#include "tests/support/pageharness/RoutingCheck.h"
#include "tests/support/pageharness/TwoStateCheck.h"
#include "tests/support/rootharness/RealPagesRoot.h"

namespace {

using vesk::test::LayoutCheck;
using vesk::test::PageHarness;

class EditorLayout : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(root_.Open()); }
  void ToMode(eMode mode) { root_.ToMode(mode); }
  // Each view also goes to <build>/tests/pages/editor_<view>.png, and at
  // full size onto the contact sheet of its group, for a person to look at.
  void Picture(std::string view) {
    for (char& c : view)
      if (c == ' ') c = '_';
    EXPECT_FALSE(h_.RenderWindow("editor_" + view).empty()) << view;
    CHfcBmp* bmp = h_.window().GetPicture()->GetBmp();
    sheet_.Add(*bmp, bmp->GetWidth(), bmp->GetHeight());
  }
  // Writes the shots taken since the last sheet, four to a row.
  void Sheet(const std::string& name) {
    EXPECT_TRUE(sheet_.Write(PageHarness::RenderDir() + "/" + name + ".png")) << name;
  }
  void Settle() {
    h_.Idle();
    h_.Idle();
  }

  // What the pages' own positions and sizes leave no room for; the texts
  // are drawn cut with "..." and nothing is drawn past its box.
  void Allow(const char* match, const char* reason) { check_.Allow(match, reason); }
  void AllowPlayOverview() {
    Allow("'IFX1 Type': \"Overdrive/Hi-Gain - Amp Simulation\" is 151 px wide, its box 126",
          "the play overview's insert effect field reaches to the effect box's edge; only the longest name "
          "loses its end, and stays told apart from every other");
  }

  struct Mode {
    const char* name;
    eMode mode;
    int guiMode;
    int views;  // main tabs and sub-tabs together
  };
  static constexpr Mode kPerformance{"performance", eMode_Combi, 0, 2 + 5 + 3};
  static constexpr Mode kProgram{"program", eMode_ProgEdit, 1, 4 + 1 + 6 + 8 + 4 + 5 + 3 + 1 + 3};
  static constexpr Mode kGlobal{"global", eMode_Global, 2, 4};
  // Shows every main tab and sub-tab of the mode in turn, each named as its
  // picture is, with the sub-page shown (null on a tab without sub-tabs).
  void ForEachView(const Mode& m, const std::function<void(const std::string& view, CHfcWindowLayer* sub)>& at) {
    ToMode(m.mode);
    CTabControl* strip = root_->GetMainTab(m.guiMode);
    ASSERT_NE(strip, nullptr) << m.name;
    int views = 0;
    for (int t = 0; t < strip->GetTabPageCount(); ++t) {
      strip->SetActivePageByIndex(t, true);
      Settle();
      auto* page = dynamic_cast<CTabPageLayer*>(strip->GetTabPageLayer(t));
      ASSERT_NE(page, nullptr) << m.name << " tab " << t;
      CTabControl* sub = page->GetSublevelTabControl();
      const int subs = sub ? sub->GetTabPageCount() : 0;
      for (int s = 0; s < std::max(subs, 1); ++s) {
        if (sub && subs > 0) {
          sub->SetActivePageByIndex(s, true);
          Settle();
        }
        at(std::string(m.name) + " tab " + std::to_string(t) +
               (subs > 0 ? " sub-tab " + std::to_string(s) : std::string()),
           subs > 0 ? sub->GetTabPageLayer(s)->GetTabPageWindowLayer() : nullptr);
        ++views;
      }
    }
    EXPECT_EQ(views, m.views) << m.name;
  }
  // Every view of the mode, checked, and put on the mode's contact sheet.
  void CheckMode(const Mode& m) {
    ForEachView(m, [&](const std::string& view, CHfcWindowLayer*) {
      check_.Check(h_.window(), view);
      Picture(view);
    });
    Sheet(std::string("editor_") + m.name + "_sheet");
  }

  // No fault but those allowed, every allowance used, and enough seen that
  // the check cannot have passed by looking at nothing.
  void ExpectClean(int controls, int texts) {
    EXPECT_GT(check_.ControlsChecked(), controls);
    EXPECT_GT(check_.TextsChecked(), texts);
    std::string faults;
    for (const std::string& f : check_.Faults()) faults += "\n  " + f;
    EXPECT_TRUE(check_.Faults().empty()) << check_.Faults().size() << " layout faults:" << faults;
    EXPECT_THAT(check_.UnusedAllowances(), ::testing::IsEmpty());
  }

  PageHarness h_;
  vesk::test::RealPagesRoot root_{h_};
  LayoutCheck check_;
  vesk::test::ContactSheet sheet_{4, 6, 0xFF23262Bu};
};

// The window is the size of the panel's picture, as the editor makes it.
TEST_F(EditorLayout, TheWindowIsThePanelsSize) {
  CHfcBmp* base = ResourceManager::GetInstance()->LoadImage("Background_Base");
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(h_.window().GetWidth(), base->GetWidth());
  EXPECT_EQ(h_.window().GetHeight(), base->GetHeight());
  // And so are the harness's own sizes, which tests give layers of their own.
  EXPECT_EQ(PageHarness::kWidth, base->GetWidth());
  EXPECT_EQ(PageHarness::kHeight, base->GetHeight());
}

// Each group of views is a test of its own, so that each keeps within its
// time on a busy machine.
TEST_F(EditorLayout, EveryPerformanceViewFitsTheWindowAndEveryTextItsBox) {
  Allow("Type': \"Overdrive/Hi-Gain - Amp Simulation\"",
        "the performance play page leaves the insert effect fields 155 pixels before the send knobs");
  CheckMode(kPerformance);
  ExpectClean(300, 300);
}

TEST_F(EditorLayout, EveryProgramViewFitsTheWindowAndEveryTextItsBox) {
  Allow("'Mixer Type' reaches past its layer",
        "the mixer type lists lie below the AMS mixer pages on purpose: they only follow the "
        "parameter, which the pages' headings show");
  AllowPlayOverview();
  Allow("'IFX1 Type': \"056 : Overdrive/Hi-Gain - Amp Simulation\"",
        "the insert effects page gives its type selector the 139-pixel picture between the routing's arrows; "
        "only this longest name loses its end");
  CheckMode(kProgram);
  ExpectClean(1000, 1000);
}

TEST_F(EditorLayout, EveryGlobalViewFitsTheWindowAndEveryTextItsBox) {
  CheckMode(kGlobal);
  ExpectClean(50, 50);
}

TEST_F(EditorLayout, EveryBrowserAndDialogFitsAboveTheControllerArea) {
  // The browsers open over the program play page.
  AllowPlayOverview();
  ToMode(eMode_ProgEdit);
  IModalBrowsers* browsers = root_->GetModalBrowsers();
  ASSERT_NE(browsers, nullptr);
  const eMode edit = eMode_ProgEdit;
  struct Browser {
    const char* name;
    std::function<bool()> open;
  };
  const Browser dialogs[] = {
      {"sound browser", [&] { return browsers->OpenBlueBrowser(-1); }},
      {"load program browser", [&] { return browsers->OpenRedBrowser(0, edit, 0x0A05); }},
      {"effect browser", [&] { return browsers->OpenRedBrowser(1, eMode_Combi, 0x1200); }},
      {"multisample browser", [&] { return browsers->OpenRedBrowser(2, edit, 0x0D05); }},
      {"audition riff browser", [&] { return browsers->OpenRedBrowser(5, edit, 0x10D); }},
      {"parameter browser", [&] { return browsers->OpenParamBrowser(6, edit, 0x10E); }},
      {"AMS source browser", [&] { return browsers->OpenParamBrowser(7, edit, 0x0E08); }},
      {"global parameter browser",
       [&] { return browsers->OpenParamBrowser(6, eMode_Global, static_cast<int>(0x8000010Au)); }},
      {"write dialog", [&] { return browsers->OpenWriteBrowser(); }},
      {"rename dialog", [&] { return browsers->OpenRenameBrowser(0, 5); }},
      {"copy oscillator dialog", [&] { return browsers->OpenCopyOSCBrowser(); }},
      {"copy LFO dialog", [&] { return browsers->OpenCopyLFOBrowser(); }},
      {"copy EG dialog", [&] { return browsers->OpenCopyEGBrowser(); }},
      {"copy scale dialog", [&] { return browsers->OpenCopyScaleBrowser(); }},
      {"copy insert effect dialog", [&] { return browsers->OpenCopyIFXBrowser(); }},
      {"copy master effect dialog", [&] { return browsers->OpenCopyMFXBrowser(); }},
  };
  // The controller area below the pages: its frame stands six rows above
  // the keyboard.
  int controllerTop = h_.window().GetHeight();
  for (CHfcControl* c : root_->GetControls())
    if (dynamic_cast<CHfcCtrlKeyboard*>(c)) controllerTop = c->GetFrame().top - 6;
  for (const Browser& b : dialogs) {
    ASSERT_TRUE(b.open()) << b.name;
    Settle();
    check_.Check(h_.window(), b.name);
    // The browser ends above the controller area, and its lowest controls
    // (OK and Cancel) keep four rows clear of its bottom.
    CHfcWindowLayer* top = h_.window().GetLayerByIndex(h_.window().GetLayerCount() - 1);
    ASSERT_NE(top, nullptr) << b.name;
    EXPECT_LE(top->GetRect().bottom, controllerTop) << b.name;
    for (CHfcControl* c : top->GetControls()) {
      if (!c->IsVisible()) continue;
      EXPECT_LE(c->GetFrame().bottom, top->GetHeight() - 4) << b.name << " control " << c->GetId();
    }
    Picture(b.name);
    browsers->CloseModalBrowser();
    Settle();
  }
  Sheet("editor_browsers_and_dialogs_sheet");
  ExpectClean(100, 100);
}

// Every two-state picture shows its parameter's value, in both values,
// after a load and after a click: the oscillator mode lights the mode the
// program is in, a check box is ticked for "On".
TEST_F(EditorLayout, EveryTwoStatePictureShowsItsParameter) {
  vesk::test::TwoStateCheck check(h_);
  check.Follows(OskendProgPlayLayer::kIdOscModePicture, 0x0D00);  // the play overview's, set by its page
  for (const Mode& m : {kProgram, kPerformance, kGlobal})
    ForEachView(m, [&](const std::string& view, CHfcWindowLayer*) { check.Check(view); });
  EXPECT_EQ(check.SlidesChecked(), 1);
  EXPECT_GT(check.SwitchesChecked(), 50);
  std::string faults;
  for (const std::string& f : check.Faults()) faults += "\n  " + f;
  EXPECT_TRUE(check.Faults().empty()) << check.Faults().size() << " pictures unlike their parameter:" << faults;
}

// No sub-page reaches further right than every other sub-page of its
// strip: the sub-pages of a tab share one grid of columns.
TEST_F(EditorLayout, NoSubPageReachesPastAllItsSiblings) {
  for (const Mode& m : {kProgram, kPerformance}) {
    // Per main tab: each sub-page's name and where its panels end.
    std::map<std::string, std::vector<std::pair<std::string, int>>> strips;
    ForEachView(m, [&](const std::string& view, CHfcWindowLayer* sub) {
      if (!sub) return;
      vesk::test::LayoutScene scene(*sub);
      int right = 0;
      for (const vesk::test::LayoutScene::Panel& p : scene.Panels()) right = std::max(right, p.rect.right);
      strips[view.substr(0, view.find(" sub-tab"))].emplace_back(view, right);
    });
    int seen = 0;
    for (const auto& [tab, pages] : strips)
      for (const auto& [view, right] : pages) {
        int others = 0;
        for (const auto& [otherView, otherRight] : pages)
          if (otherView != view) others = std::max(others, otherRight);
        ++seen;
        // Sub-pages of effect pages lay out no panels of their own.
        if (others == 0) continue;
        EXPECT_LE(right, others) << view << ": its panels end at x " << right << ", every other sub-page's by x "
                                 << others;
      }
    EXPECT_GT(seen, 5) << m.name;
  }
}

// The effect routing pictures read as diagrams: every line leads into a
// box or on into another line, or starts at the name of what it carries.
TEST_F(EditorLayout, EveryRoutingLineLeadsSomewhere) {
  int pictures = 0;
  std::vector<std::string> faults;
  for (const Mode& m : {kProgram, kPerformance})
    ForEachView(m, [&](const std::string& view, CHfcWindowLayer*) {
      for (int i = 0; i < h_.window().GetLayerCount(); ++i) {
        CHfcWindowLayer* layer = h_.window().GetLayerByIndex(i);
        if (!layer || !layer->IsVisible()) continue;
        for (const std::string& f : vesk::test::CheckRoutingPictures(*layer, view, &pictures)) faults.push_back(f);
      }
    });
  // The program's insert and master effects and the performance's master
  // effects, each seen under every sub-tab of its page.
  EXPECT_GE(pictures, 3);
  EXPECT_THAT(std::set<std::string>(faults.begin(), faults.end()), ::testing::IsEmpty());
}

// The insert effects page of a timbre without an insert effect (the
// fourth of a group): the plate that says so stands in the effect box's
// place, the box's controls and the effect's sub-pages gone, and the view
// is laid out as every other.
TEST_F(EditorLayout, TheInsertEffectsPageWithoutAnEffectSaysSo) {
  ToMode(eMode_ProgEdit);
  h_.synth()->SetActiveTrack(3);
  CTabControl* strip = root_->GetMainTab(1);
  ASSERT_NE(strip, nullptr);
  strip->SetActivePageByIndex(7, true);
  Settle();
  auto* page = dynamic_cast<CTabPageLayer*>(strip->GetTabPageLayer(7));
  ASSERT_NE(page, nullptr);
  // The pictures the page's visible picture controls draw.
  std::vector<std::string> shown;
  CHfcOffscreenContext scratch(page->GetWidth(), page->GetHeight());
  for (CHfcControl* c : page->GetControls()) {
    if (!dynamic_cast<XEStaticBmp*>(c) || !c->IsVisible()) continue;
    vesk::test::DrawRecorder heard;
    c->Draw(&scratch);
    for (const tagHfcPictureCopy& copy : heard.copies)
      shown.push_back(ResourceManager::GetInstance()->NameOf(copy.picture));
  }
  EXPECT_THAT(shown, ::testing::Contains("Container_NoFxSel"));
  for (int pid : {0x200, 0x205}) EXPECT_FALSE(page->GetControlById(pid)->IsVisible()) << std::hex << pid;
  CTabControl* sub = page->GetSublevelTabControl();
  ASSERT_NE(sub, nullptr);
  EXPECT_FALSE(sub->IsVisible());
  check_.Check(h_.window(), "program tab 7 without an insert effect");
  Picture("program tab 7 without an insert effect");
  ExpectClean(40, 10);
}

// The About box over the program pages: its picture inside the window, its
// name and version line inside its box and legible on the picture.
TEST_F(EditorLayout, TheAboutBoxFitsTheWindowAndItsLineReads) {
  AllowPlayOverview();
  ToMode(eMode_ProgEdit);
  root_->OpenAbout();
  Settle();
  auto* about = dynamic_cast<AboutLayer*>(h_.window().GetLayerByIndex(h_.window().GetLayerCount() - 1));
  ASSERT_NE(about, nullptr);
  // The line is there to be read: drawn at full strength, not faded.
  ASSERT_EQ(about->GetControls().size(), 1u);
  EXPECT_TRUE(about->GetControls().front()->IsEnabled());
  check_.Check(h_.window(), "About box");
  Picture("About box");
  ExpectClean(100, 100);
}

// The performance play page's split-key learn switch is reached by a
// click through the window: no sub-page lies over it.
TEST_F(EditorLayout, TheSplitKeyLearnSwitchTakesAClick) {
  ToMode(eMode_Combi);
  CTabControl* strip = root_->GetMainTab(0);
  ASSERT_NE(strip, nullptr);
  strip->SetActivePageByIndex(0, true);
  Settle();
  auto* play = dynamic_cast<TesraCombiPlayLayer*>(strip->GetTabPageLayer(0));
  ASSERT_NE(play, nullptr);
  CHfcControl* learn = play->GetControlById(TesraCombiPlayLayer::kLearnSwitchId);
  ASSERT_NE(learn, nullptr);
  ASSERT_EQ(learn->GetIntValue(), 1);
  h_.ClickOn(*play, *learn);
  Settle();
  EXPECT_EQ(learn->GetIntValue(), 0);
  h_.ClickOn(*play, *learn);
  Settle();
  EXPECT_EQ(learn->GetIntValue(), 1);
}

// The shape a reader sees of one glyph in a font's cell: its strong white
// pixels (a shadow's dark ones aside), columns counted from the first.
std::set<std::pair<int, int>> GlyphShape(tagHfcBmpFontInfo& font, int code) {
  std::set<std::pair<int, int>> shape;
  CHfcBmp* bmp = font.bmp;
  const int columns = std::min(font.width[code], bmp->GetWidth());
  int first = columns;
  std::vector<std::pair<int, int>> ink;
  for (int y = 0; y < font.cellHeight; ++y)
    for (int x = 0; x < columns; ++x) {
      const uint32_t p = bmp->GetPixel(x, code * font.cellHeight + y);
      const int light = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
      if ((p >> 24) >= 96 && light >= 3 * 128) {
        ink.emplace_back(x, y);
        first = std::min(first, x);
      }
    }
  for (const auto& [x, y] : ink) shape.emplace(x - first, y);
  return shape;
}

// Every printable glyph of every bitmap font reads as itself: it shows ink
// a reader sees, no two glyphs of a font show one shape ("l" and "I",
// "(" and "|"), and "J" keeps the hook left of its stem's foot that tells
// "JS" from "|S".
TEST_F(EditorLayout, EveryGlyphOfEveryFontReadsAsItself) {
  const char* const names[] = {FontManager::FontName_W4H9,       FontManager::FontName_Geneva9,
                               FontManager::FontName_Geneva9_for_Controls, FontManager::FontName_Geneva10,
                               FontManager::FontName_Geneva10_for_Label,   FontManager::FontName_HelvB11,
                               FontManager::FontName_HelvB11_Shadow,       FontManager::FontName_ArialB12,
                               FontManager::FontName_Mini5};
  for (const char* name : names) {
    tagHfcBmpFontInfo* font = FontManager::mInstance->GetBmpFontInfo(name);
    ASSERT_NE(font, nullptr) << name;
    ASSERT_NE(font->bmp, nullptr) << name;
    std::map<std::set<std::pair<int, int>>, std::string> seen;
    for (int c = 33; c < 127; ++c) {
      const std::set<std::pair<int, int>> shape = GlyphShape(*font, c);
      EXPECT_FALSE(shape.empty()) << name << ": '" << static_cast<char>(c) << "' shows no ink";
      auto [it, added] = seen.try_emplace(shape, std::string(1, static_cast<char>(c)));
      if (!added) ADD_FAILURE() << name << ": '" << static_cast<char>(c) << "' reads as '" << it->second << "'";
    }
    // "J": a strong pixel left of the stem (its fullest column) in its two
    // lowest rows.
    const std::set<std::pair<int, int>> j = GlyphShape(*font, 'J');
    std::map<int, int> perColumn;
    int lowest = 0;
    for (const auto& [x, y] : j) {
      ++perColumn[x];
      lowest = std::max(lowest, y);
    }
    int stem = 0;
    for (const auto& [x, n] : perColumn)
      if (n >= perColumn[stem]) stem = x;
    bool hook = false;
    for (const auto& [x, y] : j) hook = hook || (x < stem && y >= lowest - 1);
    EXPECT_TRUE(hook) << name << ": 'J' has no hook left of its stem";
  }
}

// The first and last column of a glyph's cell that show white ink of at
// least `strength` (0 to 255, the pixel's alpha times its lightness, so a
// shadow's dark pixels show none); -1 for a cell without such ink.
std::pair<int, int> WhiteInkColumns(tagHfcBmpFontInfo& font, int code, int strength) {
  int first = -1;
  int last = -1;
  const int columns = std::min(font.width[code], font.bmp->GetWidth());
  for (int x = 0; x < columns; ++x)
    for (int y = 0; y < font.cellHeight; ++y) {
      const uint32_t p = font.bmp->GetPixel(x, code * font.cellHeight + y);
      const int light = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
      if (static_cast<int>(p >> 24) * light >= strength * 3 * 255) {
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
  return {first, last};
}

// In every proportional font two neighbouring glyphs stand one or two
// blank columns apart, whichever they are: their strong ink never runs
// together, and no faint edge aside, no wider gap opens after an "M" or
// inside a number than between letters ("AM S", "13 5"). The fixed-pitch
// "TextW4H9" centres narrow glyphs in its cells by design; "FontMiniMoji5",
// which no view draws, keeps its two-level capitals 4 pixels wide in the
// 4-pixel advances the layout fixes for them.
TEST_F(EditorLayout, NeighbouringGlyphsStandOneOrTwoColumnsApart) {
  constexpr int kStrong = 96;  // ink a reader sees as a stroke
  constexpr int kFaint = 48;   // ink a reader sees at all
  const char* const names[] = {FontManager::FontName_Geneva9,       FontManager::FontName_Geneva9_for_Controls,
                               FontManager::FontName_Geneva10,      FontManager::FontName_Geneva10_for_Label,
                               FontManager::FontName_HelvB11,       FontManager::FontName_HelvB11_Shadow,
                               FontManager::FontName_ArialB12};
  for (const char* name : names) {
    tagHfcBmpFontInfo* font = FontManager::mInstance->GetBmpFontInfo(name);
    ASSERT_NE(font, nullptr) << name;
    ASSERT_NE(font->bmp, nullptr) << name;
    // Blank columns before a glyph's ink and after it, to the next pen
    // position, by strong and by any visible ink.
    std::map<int, std::pair<int, int>> strong;
    std::map<int, std::pair<int, int>> visible;
    for (int c = 33; c < 127; ++c) {
      const auto [s0, s1] = WhiteInkColumns(*font, c, kStrong);
      const auto [v0, v1] = WhiteInkColumns(*font, c, kFaint);
      if (s0 >= 0) strong[c] = {s0, font->advance[c] - s1 - 1};
      if (v0 >= 0) visible[c] = {v0, font->advance[c] - v1 - 1};
    }
    EXPECT_GT(strong.size(), 90u) << name;
    std::string touching;
    std::string apart;
    int touchingPairs = 0;
    int apartPairs = 0;
    for (const auto& [a, after] : strong)
      for (const auto& [b, before] : strong)
        if (after.second + before.first < 1 && ++touchingPairs <= 12) touching += {' ', char(a), char(b)};
    for (const auto& [a, after] : visible)
      for (const auto& [b, before] : visible)
        if (after.second + before.first > 2 && ++apartPairs <= 12) apart += {' ', char(a), char(b)};
    EXPECT_EQ(touchingPairs, 0) << name << ": pairs whose strokes run together, as" << touching;
    EXPECT_EQ(apartPairs, 0) << name << ": pairs more than two columns apart, as" << apart;
  }
}

// The commonest colour of rows top to bottom - 1 of a picture, their outer
// two columns (a frame's edge) aside.
uint32_t GroundOf(CHfcBmp& picture, int top, int bottom) {
  std::map<uint32_t, int> counts;
  for (int y = top; y < bottom; ++y)
    for (int x = 2; x < picture.GetWidth() - 2; ++x) ++counts[picture.GetPixel(x, y) | 0xFF000000u];
  uint32_t ground = 0;
  int seen = 0;
  for (const auto& [colour, n] : counts)
    if (n > seen) {
      ground = colour;
      seen = n;
    }
  return ground;
}

// The glyph-like runs of ink across row y of a picture: stretches of
// pixels that stand out (1.8:1) from the row's commonest colour, its outer
// two columns aside.
int InkInRow(CHfcBmp& picture, int y) {
  const uint32_t ground = GroundOf(picture, y, y + 1);
  int runs = 0;
  bool inInk = false;
  for (int x = 2; x < picture.GetWidth() - 2; ++x) {
    const bool ink = vesk::test::ContrastRatio(picture.GetPixel(x, y), ground) >= 1.8;
    if (ink && !inInk) ++runs;
    inInk = ink;
  }
  return runs;
}

// How far the ink of a line of words in rows top to bottom - 1 stands out
// from their ground: the middle of the pixels that stand out at all
// (1.5:1) on the side of the ground the strongest lies on (a light text's
// dark shadow aside), so that thin strokes whose every pixel is blended
// with the ground count as faint as a reader sees them.
double MiddleStroke(CHfcBmp& picture, int top, int bottom) {
  const uint32_t ground = GroundOf(picture, top, bottom);
  const double groundLight = vesk::test::ContrastRatio(ground, 0xFF000000u);
  std::vector<std::pair<double, bool>> ink;  // ratio, lighter than the ground
  for (int y = top; y < bottom; ++y)
    for (int x = 2; x < picture.GetWidth() - 2; ++x) {
      const uint32_t p = picture.GetPixel(x, y);
      const double ratio = vesk::test::ContrastRatio(p, ground);
      if (ratio >= 1.5) ink.emplace_back(ratio, vesk::test::ContrastRatio(p, 0xFF000000u) > groundLight);
    }
  if (ink.empty()) return 1.0;
  const bool lighter = std::max_element(ink.begin(), ink.end())->second;
  std::vector<double> side;
  for (const auto& [ratio, light] : ink)
    if (light == lighter) side.push_back(ratio);
  std::nth_element(side.begin(), side.begin() + static_cast<long>(side.size() / 2), side.end());
  return side[side.size() / 2];
}

// The most runs of ink across one row of a picture's frame.
int MostRunsInARow(CHfcBmp& picture, int top, int height) {
  int most = 0;
  for (int y = top + 1; y < top + height - 1; ++y) most = std::max(most, InkInRow(picture, y));
  return most;
}

// Pictures that stand for something a user must tell (the timbre halves,
// the oscillator mode's two states, the global dump) carry its name in
// every frame: a plain bar, or an arrow alone, shows too few strokes.
TEST_F(EditorLayout, PicturesThatStandForAThingCarryItsName) {
  struct Named {
    const char* picture;
    int frames;
    int strokes;  // the fewest runs of ink a row of the name crosses
  };
  const Named named[] = {
      {"Image_MainTimbres", 1, 5},      // "TIMBRES 1-6"
      {"Image_SubTimbres", 1, 5},       // "TIMBRES 7-12"
      {"Switch_OscillatorMode", 2, 4},  // "SINGLE" over "DOUBLE"
      {"Switch_GlobalDump", 1, 4},      // "Dump Global" beside its arrow
  };
  for (const Named& n : named) {
    CHfcBmp* picture = ResourceManager::GetInstance()->LoadImage(n.picture);
    ASSERT_NE(picture, nullptr) << n.picture;
    const int height = picture->GetHeight() / n.frames;
    for (int f = 0; f < n.frames; ++f)
      EXPECT_GE(MostRunsInARow(*picture, f * height, height), n.strokes)
          << "'" << n.picture << "' frame " << f << " carries no name: its rows cross too few strokes";
  }
}

// Pictures that say what they mean in words: the plate that stands in
// the insert effect's place when the timbre has none, the About box with
// the product's name, the sound browser's tab with its title, and the
// labels of the panel keys while they are unlit. Their words show as lines of text (rows crossing many strokes,
// where a dashed rule crosses many in one row only) whose ink stands out
// at 4.5:1 from the ground.
TEST_F(EditorLayout, PicturesThatSayWhatTheyMeanCarryLegibleWords) {
  struct Worded {
    const char* picture;
    int frames;
    int checked;  // the first frames, those of the state looked at
    int strokes;  // the fewest runs of ink a row of the words crosses
    int rows;     // the fewest rows that cross them
  };
  const Worded worded[] = {
      {"Container_NoFxSel", 1, 1, 12, 5},  // "Insert effect not available"
      {"Image_About", 1, 1, 12, 5},        // the product's name (more strokes than its row of lamps)
      // The sound browser's tab: its page has no title for the strip to write.
      {"Tab_BlueBrowser_Browser", 2, 2, 8, 5},
      // Unlit (and unlit pressed) keys: a short label, five rows high.
      {"Switch_EasySetup_Volume", 2, 1, 1, 4},
      {"Switch_EasySetup_Octave", 2, 1, 1, 4},
      {"Switch_EasySetup_CFsend", 2, 1, 1, 4},
      {"Switch_EasySetup_RDsend", 2, 1, 1, 4},
      {"Switch_SplitType_Off", 4, 2, 1, 4},
      {"Switch_SplitType_MainLower", 4, 2, 1, 4},
      {"Switch_SplitType_MainUpper", 4, 2, 1, 4},
      {"Switch_Ctrl_Main", 4, 2, 1, 4},
      {"Switch_Ctrl_Sub", 4, 2, 1, 4},
  };
  for (const Worded& w : worded) {
    CHfcBmp* picture = ResourceManager::GetInstance()->LoadImage(w.picture);
    ASSERT_NE(picture, nullptr) << w.picture;
    const int height = picture->GetHeight() / w.frames;
    for (int f = 0; f < w.checked; ++f) {
      // The rows of the words: from the first to the last crossing enough
      // strokes.
      int rows = 0;
      int first = -1;
      int last = -1;
      for (int y = f * height + 1; y < (f + 1) * height - 1; ++y) {
        if (InkInRow(*picture, y) < w.strokes) continue;
        ++rows;
        if (first < 0) first = y;
        last = y;
      }
      EXPECT_GE(rows, w.rows) << "'" << w.picture << "' frame " << f << " carries no line of words";
      if (rows == 0) continue;
      const double stroke = MiddleStroke(*picture, first, last + 1);
      EXPECT_GE(stroke, 4.5) << "'" << w.picture << "' frame " << f << ": its words stand out at " << stroke
                             << ":1 only";
    }
  }
}

// The check itself, on a small layer with one fault of each kind.
TEST(LayoutCheckFixture, EachKindOfFaultIsFoundAndNamed) {
  PageHarness h;
  tagHfcBmpFontInfo* font = FontManager::mInstance->GetBmpFontInfo("FontGeneva9");
  ASSERT_NE(font, nullptr);
  std::vector<std::unique_ptr<XEStaticText>> labels;
  CHfcWindowLayer inside;
  CHfcWindowLayer past;
  ASSERT_TRUE(inside.Create(10, 10, 200, 100, &h.window()));
  ASSERT_TRUE(past.Create(h.window().GetWidth() - 50, 10, 100, 40, &h.window()));
  inside.Show(false);
  past.Show(false);
  auto label = [&](CHfcWindowLayer& layer, int x, int y, int w, const char* text) {
    SXEStaticText p{};
    p.x = x;
    p.y = y;
    p.width = w;
    p.font = font;
    p.text = text;
    p.color = 0xFF000000;
    labels.push_back(std::make_unique<XEStaticText>());
    ASSERT_TRUE(labels.back()->Create(&p, 0x100 + static_cast<int>(labels.size()), 0));
    labels.back()->Show(false);
    layer.AddControl(labels.back().get(), false);
  };
  label(inside, 10, 10, 30, "Much too long");  // cut: its ink spans 10..40
  label(inside, 30, 12, 20, "x");              // on the cut text
  label(inside, 60, 40, 40, "Fits");
  label(inside, 180, 60, 40, "Edge");          // past the layer's right edge
  label(past, 0, 0, 30, "Out");

  LayoutCheck check;
  check.Allow("reaches past the window", "the fixture's second layer: met and not reported");
  check.Allow("no such fault", "never met");
  check.Check(h.window(), "fixture");
  std::string all;
  for (const std::string& f : check.Faults()) all += f + "\n";
  EXPECT_NE(all.find("fixture: id 0x101 XEStaticText (10, 10 30x10) \"Much too long\": \"Much too long\" is"),
            std::string::npos)
      << all;
  EXPECT_NE(all.find("id 0x101 XEStaticText (10, 10 30x10) \"Much too long\" overlaps id 0x102"), std::string::npos)
      << all;
  EXPECT_NE(all.find("id 0x104 XEStaticText (180, 60 40x10) \"Edge\" reaches past its layer"), std::string::npos)
      << all;
  EXPECT_EQ(all.find("reaches past the window"), std::string::npos) << all;
  EXPECT_EQ(all.find("\"Fits\""), std::string::npos) << all;
  EXPECT_EQ(check.Faults().size(), 3u) << all;
  EXPECT_EQ(check.UnusedAllowances(), std::vector<std::string>{"no such fault"});

  h.window().RemoveLayer(&inside, false);
  h.window().RemoveLayer(&past, false);
  inside.RemoveAllControls();
  past.RemoveAllControls();
}

}  // namespace

namespace {

// A page that draws a picture of its own over the place of one of its
// labels, as a page's post-background drawing does.
class PictureDrawingLayer : public XELayerBase {
 public:
  void OnPostDrawBackground(CHfcOffscreenContext* dc) override {
    if (CHfcBmp* p = ResourceManager::GetInstance()->LoadImage("Image_FilterType")) dc->CopyBmp(190, 64, 18, 12, p, 0, 0);
  }
};

}  // namespace

// The checks of what controls and pages draw, on a small page with one
// fault of each kind: a label crossing its panel, a label copying a
// backdrop unlike what lies under it, grey text on grey, a list whose two
// items read alike once cut (and are cut), a list cutting its picture, a
// picture the page draws under a label, and an entry whose focus margin
// reaches a label's text.
TEST(LayoutCheckFixture, EachKindOfDrawingFaultIsFoundAndNamed) {
  PageHarness h;
  ResourceManager* images = ResourceManager::GetInstance();
  CHfcBmp* page = images->LoadImage("Background_SubTab");
  CHfcBmp* panel = images->LoadImage("Container_SubTab_Base");
  ASSERT_TRUE(page && panel);
  PictureDrawingLayer layer;
  ASSERT_TRUE(layer.Create(10, 10, 300, 120, &h.window()));
  layer.SetBackgroundBmp(page);
  layer.Show(false);
  std::vector<CHfcControl*> made;
  auto put = [&](CHfcControl* c) {
    ASSERT_NE(c, nullptr);
    c->Show(false);
    layer.AddControl(c, false);
    made.push_back(c);
  };
  XEControlCreater onPage(page, 0, 0);
  XEControlCreater onPanel(panel, 0, 0);
  put(onPage.CreateStaticBmp(10, 10, 100, 50, "Container_SubTab_Base", -1));
  put(onPanel.CreateStaticText(80, 20, 60, 13, "Crossing", "FontGeneva10", 0xFF000000, 0, 0, 0x201));
  put(onPage.CreateStaticText(20, 40, 50, 13, "Tiled", "FontGeneva10", 0xFF000000, 0, 0, 0x202));
  put(onPage.CreateStaticText(150, 20, 60, 13, "Faint", "FontGeneva10", 0xFFB0B0B0, 0, 0, 0x203));
  put(onPage.CreateStaticText(150, 60, 60, 13, "Under", "FontGeneva10", 0xFF000000, 0, 0, 0x204));
  XEDropdownList* list = onPage.CreateDropdownList(20, 80, 7, 0x205);
  put(list);
  list->AddItem("Alpha One", false);
  list->AddItem("Alpha Omega", false);
  list->SetIntValue(0, false);
  XEDropdownList* cut = onPage.CreateDropdownList(150, 100, 4, 0x206);
  put(cut);
  cut->Resize(60, cut->GetHeight(), false);
  // An entry repaints its focus margin with itself: the margin reaches the
  // text of the label below it.
  CHfcCtrlCharEditText* entry = onPage.CreateTextEdit(240, 20, 37, 13, 0x207, false);
  put(entry);
  entry->SetFocusMergin(8);
  put(onPage.CreateStaticText(236, 36, 50, 13, "Near", "FontGeneva10", 0xFF000000, 0, 0, 0x208));

  LayoutCheck check;
  check.Check(h.window(), "fixture");
  std::string all;
  for (const std::string& f : check.Faults()) all += f + "\n";
  const char* const expected[] = {
      "id 0x201 XEStaticText (80, 20 60x13) \"Crossing\" crosses the edge of the panel 'Container_SubTab_Base'",
      // Beyond the panel it crosses, the label's backdrop is the panel's.
      "id 0x201 XEStaticText (80, 20 60x13) \"Crossing\" copies its backdrop from 'Container_SubTab_Base' at "
      "(80, 20), which differs",
      "id 0x202 XEStaticText (20, 40 50x13) \"Tiled\" copies its backdrop from 'Background_SubTab' at (20, 40)",
      // Over the page's picture, the label's backdrop is the page's.
      "id 0x204 XEStaticText (150, 60 60x13) \"Under\" copies its backdrop from 'Background_SubTab' at (150, 60)",
      "id 0x203 XEStaticText (150, 20 60x13) \"Faint\": \"Faint\" stands out from its ground at",
      "id 0x204 XEStaticText (150, 60 60x13) \"Under\" overlaps picture 'Image_FilterType' that the page draws",
      "id 0x205 XEDropdownList (20, 80 40x13): items \"Alpha Omega\" and \"Alpha One\" cannot be told apart",
      // Told apart or not, an item cut with dots leaves the rest to guess.
      "id 0x205 XEDropdownList (20, 80 40x13): its face shows the item \"Alpha One\" cut, as \"Alph...\"",
      "id 0x205 XEDropdownList (20, 80 40x13): its face shows the item \"Alpha Omega\" cut, as \"Alph...\"",
      "id 0x206 XEDropdownList (150, 100 60x13) cuts its picture 'DropdownList_96X13' (96 px wide) to its 60 px",
      "id 0x207 CHfcCtrlCharEditText (242, 22 33x9) paints past its frame over id 0x208 XEStaticText (236, 36 "
      "50x13) \"Near\"",
  };
  for (const char* e : expected) EXPECT_NE(all.find(e), std::string::npos) << e << "\nin:\n" << all;
  EXPECT_EQ(check.Faults().size(), std::size(expected)) << all;
  EXPECT_GT(check.PanelsChecked(), 0);
  EXPECT_GT(check.PicturesChecked(), 0);

  h.window().RemoveLayer(&layer, false);
  layer.RemoveAllControls(true);
}
