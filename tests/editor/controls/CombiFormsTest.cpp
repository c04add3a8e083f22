// The performance, insert-effect, master-effect and global forms as data:
// every linked item names something the section of its page serves, every
// item sits on its page, controls do not cover each other, the timbre pages
// put each timbre's control in that timbre's column, and together the forms
// reach every timbre parameter but the ones listed below.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "editor/controls/UIFormManager.h"
#include "editor/controls/UI_FORM_Utils.h"
#include "editor/controls/XEFormGraphIds.h"
#include "fxcatalog/FxTypeLists.h"
#include "editor/controls/XEControlCreater.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "model/SectionTables.h"
#include "tests/editor/controls/FontFixture.h"

namespace {

using namespace Oskend;

// Forms 34 to 44 of the table.
constexpr int kFirstForm = 34;
constexpr int kLastForm = 44;

// Label items carry the id of the label of a parameter (parameter + 0xBA00).
constexpr int32_t kLabelIdOffset = 0xBA00;

// Knobs are declared 40 x 40 but take the size of their meter picture.
constexpr int kKnobSize = 36;

enum class Section { kCombination, kGlobal };

// The page each form builds: the section its links resolve in, and the
// size the page reaches. The play tabs take the full editor width and end
// under the split bar; the timbre tabs run their bands to y 291 and their
// lowest knobs to y 296; the rest use the sub-page size of the program forms.
struct PageOf {
  int32_t id;
  Section section;
  int width;
  int height;
};

const PageOf kPages[] = {
    {ID_COMBI_PLAY_MAIN, Section::kCombination, 800, 354},
    {ID_COMBI_PLAY_SUB, Section::kCombination, 800, 354},
    {ID_COMBI_TIMBPARAM_MIXER, Section::kCombination, 800, 300},
    {ID_COMBI_TIMBPARAM_MIDIOSC, Section::kCombination, 800, 300},
    {ID_COMBI_TIMBPARAM_PITCHOTHER, Section::kCombination, 800, 300},
    {ID_COMBI_TIMBPARAM_FILTER1, Section::kCombination, 800, 300},
    {ID_COMBI_TIMBPARAM_FILTERADSR, Section::kCombination, 800, 300},
    {ID_COMBI_IFX_ROUTING, Section::kCombination, 800, 230},
    {ID_COMBI_IFX_SETUP, Section::kCombination, 800, 230},
    {ID_COMBI_MFX_ROUTING, Section::kCombination, 800, 230},
    {ID_GLOBAL_MIDI_EXTERNAL, Section::kGlobal, 800, 230},
};

const PageOf& Page(const UI_FORMINFO& form) {
  for (const PageOf& p : kPages)
    if (p.id == form.id) return p;
  ADD_FAILURE() << std::hex << form.id << " has no page";
  return kPages[0];
}

const SParamDesc* FindRow(const TABLEDESC& d, int32_t id) {
  for (uint32_t i = 0; i < d.count; ++i) {
    if (d.rows[i].id == id && d.rows[i].ptype != PTYPE_NONE) return &d.rows[i];
  }
  return nullptr;
}

const SParamDesc* FindInAnyType(const TABLEDESC* types, int count, int32_t index) {
  for (int t = 0; t < count; ++t)
    if (const SParamDesc* r = FindRow(types[t], index)) return r;
  return nullptr;
}

// The performance edit buffer: master effect pages 0x19 and 0x1A and the EQ
// page 0x1C are served by their effect's parameters, the timbre pages 2 to
// 0x0D by the timbre (but the sends and effect pans, which the performance
// keeps), the rest by the performance itself.
const SParamDesc* FindCombinationRow(int32_t pid) {
  if (pid < 0) return nullptr;
  const int page = (pid >> 8) & 0xFF;
  const int index = pid & 0xFF;
  if (page == 0x19) return FindInAnyType(TABLEARRAY_FX_MFX1, kMfxTypeCount, index);
  if (page == 0x1A) return FindInAnyType(TABLEARRAY_FX_MFX2, kMfxTypeCount, index);
  if (page == 0x1C) return FindInAnyType(TABLEARRAY_FX_TFX, kTfxTypeCount, index);
  if (page >= 0x02 && page <= 0x0D && index != 0x36 && index != 0x37 && index != 0x45)
    return FindRow(TABLEDESC_COMBIPLAYTRK, index);
  return FindRow(TABLEDESC_COMBIPLAY, pid);
}

const SParamDesc* FindRowOfPage(const PageOf& page, int32_t pid) {
  return page.section == Section::kGlobal ? FindRow(TABLEDESC_GLOBAL, pid) : FindCombinationRow(pid);
}

std::string Where(const UI_FORMINFO& form, int k) {
  std::ostringstream s;
  s << "form 0x" << std::hex << form.id << " item " << std::dec << k << " (" << form.children[k].className << ")";
  return s.str();
}

bool Is(const UI_FORMINFO& item, const char* cls) { return std::strcmp(item.className, cls) == 0; }

bool IsControl(const UI_FORMINFO& item) {
  return UI_FORM_Utils::IsControlClass(UI_FORM_Utils::GetItemClassInt(item)) && !Is(item, "bmp");
}

bool IsKnob(const UI_FORMINFO& item) { return Is(item, "knob") || Is(item, "knob2"); }

struct Box {
  int x, y, w, h;
};

Box BoxOf(const UI_FORMINFO& item) {
  if (IsKnob(item)) return {item.x, item.y, kKnobSize, kKnobSize};
  return {item.x, item.y, item.width, item.height};
}

bool Overlap(const Box& a, const Box& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

const UI_FORMINFO& FormById(int32_t id) {
  for (const UI_FORMINFO& f : g_uiFormInfoArray)
    if (f.id == id) return f;
  ADD_FAILURE() << std::hex << id;
  return g_uiFormInfoArray[0];
}

template <typename F>
void ForEachForm(F f) {
  for (int i = kFirstForm; i <= kLastForm; ++i) f(g_uiFormInfoArray[i]);
}

TEST(CombiForms, EveryFormHasItsItemsAndAPage) {
  ForEachForm([](const UI_FORMINFO& f) {
    EXPECT_GT(f.childCount, 0) << std::hex << f.id;
    EXPECT_NE(f.children, nullptr) << std::hex << f.id;
    EXPECT_EQ(Page(f).id, f.id);
  });
}

// A linked item names a row of its page's section; labels name the label of
// such a row; the split bars carry the ids their graph manager serves, and
// the split key they draw stands on the same form.
TEST(CombiForms, LinkedItemsResolveInTheirPagesSection) {
  ForEachForm([](const UI_FORMINFO& f) {
    const PageOf& page = Page(f);
    std::set<int32_t> ids;
    for (int k = 0; k < f.childCount; ++k) ids.insert(f.children[k].paramId);
    std::set<int32_t> seen;
    for (int k = 0; k < f.childCount; ++k) {
      const UI_FORMINFO& item = f.children[k];
      if (item.paramId == -1) continue;
      EXPECT_TRUE(seen.insert(item.paramId).second) << Where(f, k) << " repeats id 0x" << std::hex << item.paramId;
      if (Is(item, "splitbarM") || Is(item, "splitbarS")) {
        EXPECT_EQ(item.paramId, Is(item, "splitbarM") ? 0x12700 : 0x12701) << Where(f, k);
        tagSplitBarGraphIds bar{};
        ASSERT_TRUE(XEGetSplitBarGraphIds(item.paramId, &bar)) << Where(f, k);
        for (int32_t drawn : bar.ids) EXPECT_NE(FindRowOfPage(page, drawn), nullptr) << Where(f, k);
        EXPECT_TRUE(ids.count(bar.ids[0])) << Where(f, k) << ": the split key field is missing";
      } else if (Is(item, "text")) {
        EXPECT_NE(FindRowOfPage(page, item.paramId - kLabelIdOffset), nullptr)
            << Where(f, k) << std::hex << " label 0x" << item.paramId;
      } else {
        EXPECT_TRUE(IsControl(item)) << Where(f, k);
        EXPECT_NE(FindRowOfPage(page, item.paramId), nullptr) << Where(f, k) << std::hex << " id 0x" << item.paramId;
      }
    }
  });
}

// The track routing form keeps the panel columns of a multi's four further
// tracks past the right edge, where the page clips them; nothing that takes
// input goes there.
bool ClippedByDesign(const UI_FORMINFO& form, const UI_FORMINFO& item) {
  return form.id == ID_COMBI_IFX_ROUTING && Is(item, "bmp") && item.x >= 790;
}

TEST(CombiForms, ItemsLieOnTheirPage) {
  ForEachForm([](const UI_FORMINFO& f) {
    const PageOf& page = Page(f);
    int clipped = 0;
    for (int k = 0; k < f.childCount; ++k) {
      const UI_FORMINFO& item = f.children[k];
      EXPECT_GE(item.x, 0) << Where(f, k);
      EXPECT_GE(item.y, 0) << Where(f, k);
      const Box b = BoxOf(item);
      EXPECT_LE(b.y + b.h, page.height) << Where(f, k);
      if (ClippedByDesign(f, item)) {
        ++clipped;
        continue;
      }
      EXPECT_LE(b.x + b.w, page.width) << Where(f, k);
    }
    EXPECT_EQ(clipped, f.id == ID_COMBI_IFX_ROUTING ? 8 : 0) << std::hex << f.id;
  });
}

// The filter and amp tab stacks its eight knob rows 31 pixels apart, so the
// knobs of one timbre column reach 5 pixels into the next row's; no other
// controls touch.
bool StackedByDesign(const UI_FORMINFO& form, const UI_FORMINFO& a, const UI_FORMINFO& b) {
  return form.id == ID_COMBI_TIMBPARAM_FILTERADSR && IsKnob(a) && IsKnob(b) && a.x == b.x &&
         std::abs(a.y - b.y) == 31;
}

TEST(CombiForms, ControlsDoNotCoverEachOther) {
  ForEachForm([](const UI_FORMINFO& f) {
    for (int a = 0; a < f.childCount; ++a) {
      const UI_FORMINFO& p = f.children[a];
      if (!IsControl(p) || p.width <= 0 || p.height <= 0) continue;
      for (int b = a + 1; b < f.childCount; ++b) {
        const UI_FORMINFO& q = f.children[b];
        if (!IsControl(q) || q.width <= 0 || q.height <= 0 || !Overlap(BoxOf(p), BoxOf(q))) continue;
        EXPECT_TRUE(StackedByDesign(f, p, q)) << Where(f, a) << " covers " << Where(f, b);
      }
    }
  });
}

// The sizes the control factory and the skins are drawn for, and the design
// ids the page framework sorts items by.
TEST(CombiForms, ItemsHaveTheSizesAndDesignIdsOfTheirClass) {
  const std::set<std::string> frames = {"Container_Horizontal_Sub1", "Container_Horizontal_Sub4",
                                        "Container_Horizontal_1", "Container_Base", "Image_MainTimbres",
                                        "Image_SubTimbres"};
  ForEachForm([&](const UI_FORMINFO& f) {
    for (int k = 0; k < f.childCount; ++k) {
      const UI_FORMINFO& item = f.children[k];
      EXPECT_EQ(item.childCount, 0) << Where(f, k);
      if (Is(item, "text")) {
        EXPECT_EQ(item.id, std::strcmp(item.fontOrImage, "FontArialB12") == 0 ? kUiDesign_HeadingText : kUiDesign_Text)
            << Where(f, k);
        EXPECT_EQ(item.height, 13) << Where(f, k);
        EXPECT_STRNE(item.text, "") << Where(f, k);
      } else if (Is(item, "bmp")) {
        const bool base = std::strcmp(item.fontOrImage, "Container_SubTab_Base") == 0;
        EXPECT_TRUE(base || frames.count(item.fontOrImage)) << Where(f, k) << " " << item.fontOrImage;
        EXPECT_EQ(item.id, base ? kUiDesign_SubTabBase : kUiDesign_HeadingFrame) << Where(f, k);
        EXPECT_EQ(item.paramId, -1) << Where(f, k);
      } else if (Is(item, "edittext")) {
        EXPECT_EQ(item.id, kUiDesign_TextEdit) << Where(f, k);
        EXPECT_TRUE(item.width == 40 && item.height == 13) << Where(f, k);
      } else if (Is(item, "popupmenu")) {
        EXPECT_EQ(item.id, kUiDesign_Selector) << Where(f, k);
        EXPECT_TRUE(item.width == 37 || item.width == 40 || item.width == 65 || item.width == 96) << Where(f, k);
      } else if (Is(item, "valuebar")) {
        EXPECT_EQ(item.id, kUiDesign_ValueBar) << Where(f, k);
        EXPECT_TRUE(item.width == 88 || item.width == 96) << Where(f, k);
      } else if (IsKnob(item)) {
        EXPECT_EQ(item.id, kUiDesign_Knob) << Where(f, k);
        EXPECT_TRUE(item.width == 40 && item.height == 40) << Where(f, k);
      } else if (Is(item, "checkbox")) {
        EXPECT_EQ(item.id, kUiDesign_Switch) << Where(f, k);
        EXPECT_TRUE(item.width == 13 && item.height == 13) << Where(f, k);
      } else if (Is(item, "push")) {
        // The play tabs' timbre switches are the timbres' name plates.
        EXPECT_EQ(item.id, kUiDesign_Switch) << Where(f, k);
        EXPECT_TRUE(item.width == 53 && item.height == 31) << Where(f, k);
        EXPECT_EQ(std::string(item.fontOrImage).rfind("TimbreName", 0), 0u) << Where(f, k);
      } else if (Is(item, "paramselNL")) {
        EXPECT_EQ(item.id, kUiDesign_ParamSelectorNL) << Where(f, k);
      } else if (Is(item, "splitbarM") || Is(item, "splitbarS")) {
        EXPECT_EQ(item.id, kUiDesign_Text) << Where(f, k);
      } else {
        EXPECT_TRUE(Is(item, "sndselLLNUM") || Is(item, "paramselS")) << Where(f, k);
        EXPECT_EQ(item.id, kUiDesign_Selector) << Where(f, k);
      }
      if (IsControl(item)) {
        EXPECT_NE(item.paramId, -1) << Where(f, k) << " shows nothing";
      }
    }
  });
}

// The controls as the factory makes them: where a skin sets a control's
// size (knob meters, drop-down and selector skins), the control still stays
// on its page and clear of the others.
class CombiFormControls : public FontFixture {
 protected:
  void SetUp() override {
    FontFixture::SetUp();
    page.Create(800, 354);
    factory.mBackground = &page;
  }
  CHfcBmp page;
  XEControlCreater factory;
};

TEST_F(CombiFormControls, MadeControlsStayOnTheirPageAndApart) {
  int made = 0;
  ForEachForm([&](const UI_FORMINFO& f) {
    const PageOf& bounds = Page(f);
    std::vector<std::pair<int, std::unique_ptr<CHfcControl>>> controls;
    for (int k = 0; k < f.childCount; ++k) {
      if (!IsControl(f.children[k])) continue;
      std::unique_ptr<CHfcControl> c(UI_FORM_Utils::CreateControl(&factory, f.children[k], &page));
      if (!c) continue;
      EXPECT_EQ(c->GetId(), f.children[k].paramId) << Where(f, k);
      const tagHfcRect& r = c->GetFrame();
      EXPECT_GE(r.left, 0) << Where(f, k);
      EXPECT_GE(r.top, 0) << Where(f, k);
      EXPECT_LE(r.right, bounds.width) << Where(f, k);
      EXPECT_LE(r.bottom, bounds.height) << Where(f, k);
      controls.emplace_back(k, std::move(c));
    }
    for (size_t a = 0; a < controls.size(); ++a) {
      for (size_t b = a + 1; b < controls.size(); ++b) {
        const tagHfcRect& p = controls[a].second->GetFrame();
        const tagHfcRect& q = controls[b].second->GetFrame();
        if (p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom) {
          EXPECT_TRUE(StackedByDesign(f, f.children[controls[a].first], f.children[controls[b].first]))
              << Where(f, controls[a].first) << " covers " << Where(f, controls[b].first);
        }
      }
    }
    made += static_cast<int>(controls.size());
    for (auto& [k, c] : controls) c->Destroy();
  });
  // Every control but the play tabs' name plates, whose pictures the skin
  // set does not hold yet.
  EXPECT_GE(made, 56 * 2 + 41 + 84 + 48 + 120 + 96 + 24 + 20 + 2 + 16 - 12);
}

int TimbreOf(int32_t pid) { return ((pid >> 8) & 0xFF) - 2; }

// Timbre t's column: 105 + 50 t in the left half, 496 + 50 (t - 6) in the right.
int ColumnOf(int t) { return t <= 5 ? 105 + 50 * t : 496 + 50 * (t - 6); }

// On the timbre parameter tabs each timbre's control stands in its own
// column, each row of a tab holds one parameter for every timbre, and the
// row's label stands level with it in the label column.
TEST(CombiForms, TimbreTabsPutEachTimbreInItsColumn) {
  for (int32_t id : {ID_COMBI_TIMBPARAM_MIXER, ID_COMBI_TIMBPARAM_MIDIOSC, ID_COMBI_TIMBPARAM_PITCHOTHER,
                     ID_COMBI_TIMBPARAM_FILTER1, ID_COMBI_TIMBPARAM_FILTERADSR}) {
    const UI_FORMINFO& f = FormById(id);
    std::map<int, std::set<int>> timbresOfIndex;
    std::map<int, int> yOfIndex;
    for (int k = 0; k < f.childCount; ++k) {
      const UI_FORMINFO& item = f.children[k];
      if (!IsControl(item)) continue;
      const int t = TimbreOf(item.paramId);
      ASSERT_TRUE(t >= 0 && t < 12) << Where(f, k);
      const int offset = IsKnob(item) ? 2 : Is(item, "checkbox") ? 12 : 0;
      EXPECT_EQ(item.x, ColumnOf(t) + offset) << Where(f, k);
      const int index = item.paramId & 0xFF;
      EXPECT_TRUE(timbresOfIndex[index].insert(t).second) << Where(f, k);
      if (yOfIndex.count(index)) {
        EXPECT_EQ(item.y, yOfIndex[index]) << Where(f, k);
      }
      yOfIndex[index] = item.y;
    }
    for (const auto& [index, timbres] : timbresOfIndex) {
      // Only the insert effects' pans skip the timbres that feed no insert effect.
      EXPECT_EQ(timbres.size(), index == 0x45 ? 5u : 12u) << std::hex << id << " index " << index;
    }
    int labels = 0;
    for (int k = 0; k < f.childCount; ++k) {
      const UI_FORMINFO& item = f.children[k];
      if (Is(item, "text") && std::strcmp(item.fontOrImage, "FontGeneva10") == 0) {
        EXPECT_TRUE(item.x == 20 || item.x == 412) << Where(f, k);
        ++labels;
      }
    }
    EXPECT_EQ(labels, 2 * static_cast<int>(timbresOfIndex.size()) - (timbresOfIndex.count(0x45) ? 1 : 0))
        << std::hex << id;
  }
}

// The two play tabs share one layout: the second shows timbres 6 to 11 where
// the first shows 0 to 5, and differs only in its name plates and split bar.
TEST(CombiForms, PlayTabsDifferOnlyInTheirTimbres) {
  const UI_FORMINFO& main = FormById(ID_COMBI_PLAY_MAIN);
  const UI_FORMINFO& sub = FormById(ID_COMBI_PLAY_SUB);
  ASSERT_EQ(main.childCount, sub.childCount);
  for (int k = 0; k < main.childCount; ++k) {
    const UI_FORMINFO& a = main.children[k];
    const UI_FORMINFO& b = sub.children[k];
    EXPECT_TRUE(a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height) << Where(main, k);
    EXPECT_STREQ(a.text, b.text) << Where(main, k);
    const int page = (a.paramId >> 8) & 0xFF;
    if (a.paramId >= 0 && page >= 0x02 && page <= 0x07) {
      EXPECT_EQ(b.paramId, a.paramId + 0x600) << Where(main, k);
    } else if (Is(a, "splitbarM")) {
      EXPECT_STREQ(b.className, "splitbarS");
    } else {
      EXPECT_EQ(b.paramId, a.paramId) << Where(main, k);
      EXPECT_STREQ(a.className, b.className) << Where(main, k);
    }
    if (Is(a, "push")) {
      std::string plate = a.fontOrImage;
      plate.at(plate.find('M')) = 'S';
      EXPECT_EQ(plate, b.fontOrImage) << Where(main, k);
    }
  }
}

// Timbre parameters no form shows: the portamento switch (the portamento
// field shows its time and its program setting), the timbre on/off state the
// editor keeps itself, the drum track, and the MIDI filters for bank select,
// after touch and sostenuto, for which the filter tab has no row.
const std::set<int32_t> kTimbreIndexesWithoutControl = {0x09, 0x15, 0x24, 0x25, 0x29, 0x2A};

TEST(CombiForms, EveryTimbreParameterHasAControlButTheListedOnes) {
  std::set<int32_t> shown;
  ForEachForm([&](const UI_FORMINFO& f) {
    for (int k = 0; k < f.childCount; ++k)
      if (IsControl(f.children[k])) shown.insert(f.children[k].paramId);
  });
  for (int t = 0; t < 12; ++t) {
    std::set<int32_t> missing;
    for (uint32_t i = 0; i < TABLEDESC_COMBIPLAYTRK.count; ++i) {
      const SParamDesc& r = TABLEDESC_COMBIPLAYTRK.rows[i];
      if (r.ptype != PTYPE_NONE && !shown.count(0x200 + 0x100 * t + r.id)) missing.insert(r.id);
    }
    EXPECT_EQ(missing, kTimbreIndexesWithoutControl) << "timbre " << t;
    for (int32_t send : {0x36, 0x37}) EXPECT_TRUE(shown.count(0x200 + 0x100 * t + send)) << "timbre " << t;
  }
}

}  // namespace
