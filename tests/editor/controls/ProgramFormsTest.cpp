// The program pages' forms as data: every linked item names something the
// program edit buffer serves, every item sits on the page, controls do not
// cover each other, and together with the pages' hand-made controls the forms
// reach every program parameter but the ones listed below.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "editor/controls/UIFormManager.h"
#include "editor/controls/UI_FORM_Utils.h"
#include "model/SectionTables.h"

namespace {

using namespace Oskend;

// Forms 0 to 33 of the table are the program pages' sub-pages. No page
// builds the last three (the insert effect's routing and set-up and the
// master effects' routing): the effect pages make their own controls.
constexpr int kProgramFormCount = 34;
constexpr int kBuiltProgramFormCount = 31;

// The sub-pages take their size from the sub-page background: four columns
// of 196 pixels, the last widened to x 836 by the play page's riff selector,
// and 230 rows. The declared layer size of 559 x 230 is what a form without
// background falls back to.
constexpr int kPageWidth = 836;
constexpr int kPageHeight = 230;

// Label items carry the id of the label of a parameter (parameter + 0xBA00);
// the "Gate Control" headings of the mixer pages set bit 24 on top of that.
constexpr int32_t kLabelIdOffset = 0xBA00;
constexpr int32_t kGateHeadingFlag = 0x1000000;

// The AMS mixer pages keep all mixer types' controls at the same places and
// show the ones of the current type; their type lists are parked below the
// page.
bool IsMixerParam(int32_t pid) {
  const int page = (pid >> 8) & 0xFF;
  return page == 0x1D || page == 0x1E || page == 0x2D || page == 0x2E;
}
bool IsMixerType(int32_t pid) { return pid == 0x1D00 || pid == 0x1E00 || pid == 0x2D00 || pid == 0x2E00; }

const SParamDesc* FindRow(const TABLEDESC& d, int32_t id) {
  for (uint32_t i = 0; i < d.count; ++i) {
    if (d.rows[i].id == id && d.rows[i].ptype != PTYPE_NONE) return &d.rows[i];
  }
  return nullptr;
}

// The program edit buffer: the oscillator section serves pages 0x0D and up.
const SParamDesc* FindProgramRow(int32_t pid) {
  if (pid < 0) return nullptr;
  return FindRow(((pid >> 8) & 0xFF) >= 0x0D ? TABLEDESC_PROGEDITPCM : TABLEDESC_PROGEDIT, pid);
}

std::string Where(const UI_FORMINFO& form, int k) {
  std::ostringstream s;
  s << "form 0x" << std::hex << form.id << " item " << std::dec << k << " (" << form.children[k].className << ")";
  return s.str();
}

bool Is(const UI_FORMINFO& item, const char* cls) { return std::strcmp(item.className, cls) == 0; }

// Items that the page framework turns into controls that take input.
bool IsControl(const UI_FORMINFO& item) {
  return UI_FORM_Utils::IsControlClass(UI_FORM_Utils::GetItemClassInt(item)) && !Is(item, "bmp");
}

bool Overlap(const UI_FORMINFO& a, const UI_FORMINFO& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(ProgramForms, EveryProgramFormHasItsItems) {
  for (int i = 0; i < kProgramFormCount; ++i) {
    const UI_FORMINFO& f = g_uiFormInfoArray[i];
    EXPECT_GT(f.childCount, 0) << std::hex << f.id;
    EXPECT_NE(f.children, nullptr) << std::hex << f.id;
  }
}

// A linked item names a row of the program edit buffer; labels name the label
// of such a row; graphs carry the ids their graph managers serve.
TEST(ProgramForms, LinkedItemsResolveToProgramParameters) {
  const std::set<int32_t> keyTrackGraphs = {0x12500, 0x12501, 0x12502, 0x12503, 0x12504, 0x12505};
  const std::set<int32_t> velocityZoneGraphs = {0x12600, 0x12601};
  for (int i = 0; i < kProgramFormCount; ++i) {
    const UI_FORMINFO& f = g_uiFormInfoArray[i];
    std::set<int32_t> ids;
    for (int k = 0; k < f.childCount; ++k) {
      const UI_FORMINFO& item = f.children[k];
      if (item.paramId == -1) continue;
      EXPECT_TRUE(ids.insert(item.paramId).second) << Where(f, k) << " repeats id 0x" << std::hex << item.paramId;
      if (Is(item, "keytrk")) {
        EXPECT_TRUE(keyTrackGraphs.count(item.paramId)) << Where(f, k);
      } else if (Is(item, "velozone")) {
        EXPECT_TRUE(velocityZoneGraphs.count(item.paramId)) << Where(f, k);
      } else if (Is(item, "text")) {
        const int32_t label = item.paramId & ~kGateHeadingFlag;
        EXPECT_NE(FindProgramRow(label - kLabelIdOffset), nullptr) << Where(f, k) << std::hex << " label 0x" << label;
      } else {
        EXPECT_TRUE(IsControl(item)) << Where(f, k);
        EXPECT_NE(FindProgramRow(item.paramId), nullptr) << Where(f, k) << std::hex << " id 0x" << item.paramId;
      }
    }
  }
}

// A graph draws the parameters its manager serves; the fields that edit the
// same parameters stand on the same form, so a drag and a typed value meet.
TEST(ProgramForms, GraphsSitWithTheFieldsTheyDraw) {
  struct Graph {
    int32_t id;
    std::vector<int32_t> fields;
  };
  const Graph graphs[] = {
      {0x12500, {0x1F00, 0x1F01, 0x1F02}}, {0x12501, {0x2F00, 0x2F01, 0x2F02}}, {0x12502, {0x1800, 0x1801, 0x1802}},
      {0x12503, {0x2800, 0x2801, 0x2802}}, {0x12504, {0x1B00, 0x1B01, 0x1B02}}, {0x12505, {0x2B00, 0x2B01, 0x2B02}},
      {0x12600, {0x1024, 0x1023}},         {0x12601, {0x2024, 0x2023}},
  };
  for (const Graph& g : graphs) {
    int forms = 0;
    for (int i = 0; i < kProgramFormCount; ++i) {
      const UI_FORMINFO& f = g_uiFormInfoArray[i];
      std::set<int32_t> ids;
      for (int k = 0; k < f.childCount; ++k) ids.insert(f.children[k].paramId);
      if (!ids.count(g.id)) continue;
      ++forms;
      for (int32_t field : g.fields) EXPECT_TRUE(ids.count(field)) << std::hex << g.id << " without " << field;
    }
    EXPECT_EQ(forms, 1) << std::hex << g.id;
  }
}

TEST(ProgramForms, ItemsLieOnThePage) {
  for (int i = 0; i < kProgramFormCount; ++i) {
    const UI_FORMINFO& f = g_uiFormInfoArray[i];
    for (int k = 0; k < f.childCount; ++k) {
      const UI_FORMINFO& item = f.children[k];
      EXPECT_GE(item.x, 0) << Where(f, k);
      EXPECT_GE(item.y, 0) << Where(f, k);
      if (Is(item, "popupmenu") && IsMixerType(item.paramId)) {
        EXPECT_GE(item.y, kPageHeight) << Where(f, k) << ": the mixer type list stays out of sight";
        continue;
      }
      // Pictures and graphs of size 0 take their picture's size: their origin is on the page.
      EXPECT_LE(item.x + item.width, kPageWidth) << Where(f, k);
      EXPECT_LE(item.y + item.height, kPageHeight) << Where(f, k);
    }
  }
}

TEST(ProgramForms, ControlsDoNotCoverEachOther) {
  for (int i = 0; i < kProgramFormCount; ++i) {
    const UI_FORMINFO& f = g_uiFormInfoArray[i];
    for (int a = 0; a < f.childCount; ++a) {
      const UI_FORMINFO& p = f.children[a];
      if (!IsControl(p) || p.width <= 0 || p.height <= 0) continue;
      for (int b = a + 1; b < f.childCount; ++b) {
        const UI_FORMINFO& q = f.children[b];
        if (!IsControl(q) || q.width <= 0 || q.height <= 0 || !Overlap(p, q)) continue;
        // Alternatives of one mixer share their places; only one type shows at a time.
        const bool sameMixer = IsMixerParam(p.paramId) && (p.paramId >> 8) == (q.paramId >> 8);
        EXPECT_TRUE(sameMixer) << Where(f, a) << " covers " << Where(f, b);
      }
    }
  }
}

// The sizes the control factory and the skins are drawn for, and the design
// ids the page framework sorts items by.
TEST(ProgramForms, ItemsHaveTheSizesAndDesignIdsOfTheirClass) {
  const std::set<std::string> frames = {"Container_Horizontal_Sub1", "Container_Horizontal_Sub2",
                                        "Container_Horizontal_Sub4", "Container_Horizontal_1", "Container_Base"};
  for (int i = 0; i < kProgramFormCount; ++i) {
    const UI_FORMINFO& f = g_uiFormInfoArray[i];
    for (int k = 0; k < f.childCount; ++k) {
      const UI_FORMINFO& item = f.children[k];
      EXPECT_EQ(item.childCount, 0) << Where(f, k);
      if (Is(item, "text")) {
        EXPECT_EQ(item.id, std::strcmp(item.fontOrImage, "FontArialB12") == 0 ? kUiDesign_HeadingText : kUiDesign_Text)
            << Where(f, k);
        EXPECT_EQ(item.height, 13) << Where(f, k);
      } else if (Is(item, "bmp")) {
        const bool base = std::strcmp(item.fontOrImage, "Container_SubTab_Base") == 0;
        const int expected = base ? kUiDesign_SubTabBase : frames.count(item.fontOrImage) ? kUiDesign_HeadingFrame : kUiDesign_Text;
        EXPECT_EQ(item.id, expected) << Where(f, k) << " " << item.fontOrImage;
        EXPECT_EQ(item.paramId, -1) << Where(f, k);
      } else if (Is(item, "edittext")) {
        EXPECT_EQ(item.id, kUiDesign_TextEdit) << Where(f, k);
        EXPECT_TRUE(item.width == 40 && item.height == 13) << Where(f, k);
      } else if (Is(item, "popupmenu")) {
        EXPECT_EQ(item.id, kUiDesign_Selector) << Where(f, k);
        EXPECT_TRUE(item.width == 37 || item.width == 40 || item.width == 65 || item.width == 96) << Where(f, k);
        EXPECT_GE(UI_FORM_Utils::GetDropdownTypeByWidth(item.width), 0) << Where(f, k);
      } else if (Is(item, "valuebar")) {
        EXPECT_EQ(item.id, kUiDesign_ValueBar) << Where(f, k);
        EXPECT_TRUE(item.width == 88 || item.width == 96) << Where(f, k);
      } else if (Is(item, "checkbox") || Is(item, "push")) {
        EXPECT_EQ(item.id, kUiDesign_Switch) << Where(f, k);
        EXPECT_TRUE(item.width == 13 && item.height == 13) << Where(f, k);
        if (Is(item, "push")) {
          EXPECT_STRNE(item.fontOrImage, "") << Where(f, k);
        }
      } else if (Is(item, "keytrk") || Is(item, "velozone")) {
        EXPECT_EQ(item.id, kUiDesign_Text) << Where(f, k);
      } else {
        EXPECT_EQ(item.id, kUiDesign_Selector) << Where(f, k);
      }
      if (IsControl(item)) {
        EXPECT_NE(item.paramId, -1) << Where(f, k) << " shows nothing";
      }
    }
  }
}

// Parameters shown by the program pages' own controls rather than by forms.
std::set<int32_t> HandMadeControls() {
  std::set<int32_t> ids = {0xD00, 0xD01, 0xD0C, 0xD0D, 0xD0E, 0xD0F, 0xD10, 0xD11, 0xD12, 0xD13, 0xD14, 0xD15,
                           0xE00, 0xE01, 0xE02, 0xE03, 0xE04, 0xE05, 0xE06, 0xE07,  // pitch envelope graph
                           0xF00, 0xF02, 0xF03, 0xF04,                              // common LFO
                           0x200, 0x205, 0x214, 0x219,                              // insert effect
                           0x800, 0x801, 0x802, 0x803, 0x804, 0x805, 0x806, 0x808, 0xB00, 0xB01};
  for (int32_t b : {0x1000, 0x2000}) {
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 3; ++c) ids.insert(b + 6 * r + c);  // multisample rows
    for (int32_t p : {0x100, 0x103, 0x104, 0x105, 0x200, 0x203, 0x204, 0x205}) ids.insert(b + p);  // LFOs
    for (int32_t p : {0x400, 0x500, 0x506, 0x507, 0x600, 0x606, 0x607}) ids.insert(b + p);          // filters
    for (int p = 0; p < 9; ++p) ids.insert(b + 0x700 + p);                                             // filter EG
    for (int32_t p : {0x900, 0xC00, 0xC01, 0xC02}) ids.insert(b + p);                                // amp
    for (int p = 0; p < 8; ++p) ids.insert(b + 0xA00 + p);                                             // amp EG
    for (int32_t p : {0xD00, 0xE00}) ids.insert(b + p);                                              // mixer types
  }
  return ids;
}

// What no program page shows: values set elsewhere (tempo, category, panel
// page, drum track), the slots beyond the one insert effect a program page
// edits, effect control routing and chaining switches, the master level, and
// the amplifiers' drive and low boost, for which no page has a place.
const std::set<int32_t> kWithoutControl = {
    0x100, 0x101, 0x102, 0x103, 0x106, 0x10F, 0x201, 0x202, 0x203, 0x204, 0x206, 0x207, 0x208, 0x209,
    0x21E, 0x21F, 0x220, 0x221, 0x222, 0x223, 0x224, 0x225, 0x226, 0x227, 0x228, 0x229, 0x22A, 0x22B,
    0xB02, 0x1C03, 0x1C04, 0x2C03, 0x2C04,
    // The oscillators' bus and control bus, the insert effects' pans, sends
    // and chain targets: only the effect forms that no page builds place these.
    0x104, 0x105, 0x20A, 0x20B, 0x20C, 0x20D, 0x20E, 0x20F, 0x210, 0x211, 0x212, 0x213,
    0x215, 0x216, 0x217, 0x218, 0x21A, 0x21B, 0x21C, 0x21D, 0x22C, 0x22D, 0x22E,
};

TEST(ProgramForms, EveryProgramParameterHasAControlButTheListedOnes) {
  std::set<int32_t> shown = HandMadeControls();
  for (int i = 0; i < kBuiltProgramFormCount; ++i) {
    const UI_FORMINFO& f = g_uiFormInfoArray[i];
    for (int k = 0; k < f.childCount; ++k) {
      const UI_FORMINFO& item = f.children[k];
      if (IsControl(item) && !Is(item, "keytrk") && !Is(item, "velozone")) shown.insert(item.paramId);
    }
  }
  std::set<int32_t> missing;
  for (const TABLEDESC* d : {&TABLEDESC_PROGEDIT, &TABLEDESC_PROGEDITPCM}) {
    for (uint32_t i = 0; i < d->count; ++i) {
      const SParamDesc& r = d->rows[i];
      if (r.ptype != PTYPE_NONE && r.id >= 0 && !shown.count(r.id)) missing.insert(r.id);
    }
  }
  EXPECT_EQ(missing, kWithoutControl);
}

}  // namespace
