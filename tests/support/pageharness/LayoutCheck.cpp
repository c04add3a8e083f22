#include "tests/support/pageharness/LayoutCheck.h"

#include <cxxabi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <typeinfo>

#include "editor/controls/CTabControl.h"
#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XEStaticText.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XESynthLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindow.h"
#include "hfc/CHfcWindowLayer.h"
#include "model/ISection.h"
#include "model/paramdesc/SParamDesc.h"
#include "tests/support/pageharness/LayoutCheckKit.h"
#include "tests/support/pageharness/LayoutScene.h"

namespace vesk::test {

using namespace layoutkit;

namespace {

std::string ClassName(const std::type_info& type) {
  int status = 0;
  char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  std::string out = status == 0 && name ? name : type.name();
  std::free(name);
  return out;
}

}  // namespace

namespace layoutkit {

std::string RectText(const tagHfcRect& r) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "(%d, %d %dx%d)", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return buf;
}

std::string LayerName(CHfcWindowLayer& layer) { return ClassName(typeid(layer)) + " " + RectText(layer.GetRect()); }

std::vector<tagHfcBoxedText> DrawAndListen(CHfcWindowLayer& layer, CHfcControl& control) {
  // One scratch picture serves every draw; only what the control draws is
  // heard.
  static CHfcOffscreenContext scratch(1, 1);
  if (scratch.GetBmp()->GetWidth() < layer.GetWidth() || scratch.GetBmp()->GetHeight() < layer.GetHeight())
    scratch.Resize(std::max(layer.GetWidth(), scratch.GetBmp()->GetWidth()),
                   std::max(layer.GetHeight(), scratch.GetBmp()->GetHeight()));
  DrawRecorder recorder;
  control.Draw(&scratch);
  return std::move(recorder.texts);
}

}  // namespace layoutkit

double ContrastRatio(uint32_t a, uint32_t b) { return XEContrastRatio(a, b); }

std::string DescribeControl(CHfcWindowLayer& layer, CHfcControl& control) {
  char id[32];
  std::snprintf(id, sizeof id, "id 0x%X", static_cast<unsigned>(control.GetId()));
  std::string out = std::string(id) + " " + ClassName(typeid(control)) + " " + RectText(control.GetFrame());
  if (auto* page = dynamic_cast<XESynthLayer*>(&layer)) {
    const SParamIdInfo link = page->GetParameterIdByControl(&control);
    SParamDesc desc{};
    if (link.section && link.section->GetParamDesc(link.pid, &desc) && desc.name)
      out += " '" + std::string(desc.name) + "'";
  }
  if (auto* label = dynamic_cast<XEStaticText*>(&control)) out += " \"" + label->GetText() + "\"";
  return out;
}

void LayoutCheck::Allow(const std::string& match, const std::string& reason) {
  allowed_.push_back({match, reason, false});
}

std::vector<std::string> LayoutCheck::UnusedAllowances() const {
  std::vector<std::string> unused;
  for (const Allowance& a : allowed_)
    if (!a.used) unused.push_back(a.match);
  return unused;
}

void LayoutCheck::Fault(const std::string& page, const std::string& what) {
  if (!seen_.insert(what).second) return;
  for (Allowance& a : allowed_) {
    if (what.find(a.match) != std::string::npos) {
      a.used = true;
      return;
    }
  }
  faults_.push_back(page + ": " + what);
}

void LayoutCheck::Check(CHfcWindow& window, const std::string& page) {
  const tagHfcRect client{0, 0, window.GetWidth(), window.GetHeight()};
  std::vector<CHfcWindowLayer*> layers;
  for (int i = 0; i < window.GetLayerCount(); ++i) {
    CHfcWindowLayer* layer = window.GetLayerByIndex(i);
    if (layer && layer->IsVisible()) layers.push_back(layer);
  }
  for (CHfcWindowLayer* layer : layers) {
    if (!Inside(layer->GetRect(), client))
      Fault(page, "layer " + LayerName(*layer) + " reaches past the window " + RectText(client));
    CheckLayer(*layer, page);
  }
}

void LayoutCheck::CheckLayer(CHfcWindowLayer& layer, const std::string& page) {
  std::vector<CHfcControl*> controls;
  for (CHfcControl* c : layer.GetControls())
    if (c && c->IsVisible() && !Empty(c->GetFrame())) controls.push_back(c);
  const tagHfcRect local{0, 0, layer.GetWidth(), layer.GetHeight()};
  LayoutScene scene(layer);
  // What paints: pictures of the page's decoration lie under everything; a
  // label paints its text, not its whole box; a knob its ring and cap; a
  // picture the page draws itself its opaque part.
  std::vector<Item> items;
  for (CHfcControl* c : controls) {
    ++controls_;
    if (!Inside(c->GetFrame(), local))
      Fault(page, DescribeControl(layer, *c) + " reaches past its layer " + LayerName(layer));

    if (!dynamic_cast<XEStaticBmp*>(c)) items.push_back({DescribeControl(layer, *c), scene.InkOf(*c), c});
  }
  for (const LayoutScene::PagePicture& p : scene.PagePictures()) {
    ++pictures_;
    if (!Inside(p.rect, local)) Fault(page, p.name + " reaches past its layer " + LayerName(layer));
    items.push_back({p.name, LayoutScene::InkOf(p), nullptr});
  }
  CheckOverlaps(items, layer, page);
  CheckClearance(items, layer, page);
  CheckPanels(items, scene, layer, page);
  for (CHfcControl* c : controls)
    if (auto* strip = dynamic_cast<CTabControl*>(c)) CheckStrip(*strip, controls, layer, page);
  for (const Item& item : items) {
    if (!item.control) continue;
    CheckDrawn(*item.control, scene, layer, page);
    // Browsers of one kind place their lists alike: each is looked at.
    CheckArrow(*item.control, scene, layer, page);
    CheckSelectedRow(*item.control, scene, layer, page);
    // What a control's parameter can show is measured once per control.
    if (!measured_.insert(item.name).second) continue;
    CheckKnobText(*item.control, scene, layer, page);
    CheckTexts(*item.control, scene, layer, page);
    CheckListFaces(*item.control, layer, page);
  }
  CheckAlike(controls, scene, layer, page);
  CheckColumns(controls, layer, page);
  CheckEntryColumns(controls, scene, layer, page);
}

void LayoutCheck::CheckOverlaps(const std::vector<Item>& items, CHfcWindowLayer& layer, const std::string& page) {
  // Whether `a`'s pixels, as `at` picks them, meet `b`'s ink.
  auto meets = [](const LayoutScene::Ink& a, const tagHfcRect& box, auto at, const LayoutScene::Ink& b) {
    if (Empty(box) || Empty(b.box) || !Overlap(box, b.box)) return false;
    for (int y = std::max(box.top, b.box.top); y < std::min(box.bottom, b.box.bottom); ++y)
      for (int x = std::max(box.left, b.box.left); x < std::min(box.right, b.box.right); ++x)
        if ((a.*at)(x, y) && b.At(x, y)) return true;
    return false;
  };
  for (size_t i = 0; i < items.size(); ++i) {
    for (size_t j = i + 1; j < items.size(); ++j) {
      const LayoutScene::Ink& a = items[i].ink;
      const LayoutScene::Ink& b = items[j].ink;
      // Each time it is drawn (a new value, focus), a control repaints its
      // focus margin too: another's ink there is wiped out.
      for (const auto& [over, under] : {std::pair{i, j}, std::pair{j, i}})
        if (meets(items[over].ink, items[over].ink.spillBox, &LayoutScene::Ink::Spills, items[under].ink))
          Fault(page, items[over].name + " paints past its frame over " + items[under].name + " on " +
                          LayerName(layer));
      // A control that holds another (a strip and its tab) may.
      if (Empty(a.box) || Empty(b.box) || Inside(a.box, b.box) || Inside(b.box, a.box)) continue;
      // Boxes that meet where neither paints (round knobs stacked close)
      // are no overlap.
      if (meets(a, a.box, &LayoutScene::Ink::At, b))
        Fault(page, items[i].name + " overlaps " + items[j].name + " on " + LayerName(layer));
    }
  }
}

// A control or picture that reaches into a panel lies wholly inside it, and
// a container's controls lie inside the container as its picture draws it.
void LayoutCheck::CheckPanels(const std::vector<Item>& items, LayoutScene& scene, CHfcWindowLayer& layer,
                              const std::string& page) {
  for (const LayoutScene::Panel& panel : scene.Panels()) {
    ++panels_;
    for (const Item& item : items) {
      const tagHfcRect& ink = item.ink.box;
      if (Empty(ink) || !Overlap(ink, panel.rect) || Inside(ink, panel.rect)) continue;
      // A control that holds the panel (a strip over its pages) is not in it.
      if (Inside(panel.rect, ink)) continue;
      Fault(page, item.name + " crosses the edge of the " + panel.name + " on " + LayerName(layer));
    }
    if (!panel.holder) continue;
    for (CHfcControl* held : panel.holder->m_controls) {
      if (!held || !held->IsVisible() || held->GetParentLayer() != &layer) continue;
      const tagHfcRect ink = scene.InkOf(*held).box;
      if (!Empty(ink) && !Overlap(ink, panel.rect))
        Fault(page, DescribeControl(layer, *held) + " lies outside the " + panel.name + " that holds it on " +
                        LayerName(layer));
    }
  }
}

// Value bars stacked in one column, row under row, end at one x: their
// value boxes stand one under another.
void LayoutCheck::CheckColumns(const std::vector<CHfcControl*>& controls, CHfcWindowLayer& layer,
                               const std::string& page) {
  std::map<int, std::vector<CHfcControl*>> columns;
  for (CHfcControl* c : controls)
    if (dynamic_cast<CXBCtrlHorizontalValueBar*>(c)) columns[c->GetFrame().left].push_back(c);
  for (auto& [left, column] : columns) {
    std::sort(column.begin(), column.end(),
              [](CHfcControl* a, CHfcControl* b) { return a->GetFrame().top < b->GetFrame().top; });
    for (size_t i = 1; i < column.size(); ++i) {
      const tagHfcRect& above = column[i - 1]->GetFrame();
      const tagHfcRect& below = column[i]->GetFrame();
      if (below.top - above.bottom > 30 || below.right == above.right) continue;
      Fault(page, DescribeControl(layer, *column[i]) + " ends at x " + std::to_string(below.right) +
                      ", the value bar above it at " + std::to_string(above.right));
    }
  }
}

// A text entry stacked with drop-down lists (a dialog's column of fields)
// ends where the nearest list above and below it ends, as their faces draw
// them (an entry draws its face around its frame).
void LayoutCheck::CheckEntryColumns(const std::vector<CHfcControl*>& controls, LayoutScene& scene,
                                    CHfcWindowLayer& layer, const std::string& page) {
  auto faceOf = [&](CHfcControl& c) {
    tagHfcRect face = c.GetFrame();
    for (const tagHfcPictureCopy& copy : scene.DrawControl(c).copies) {
      if (scene.IsSurface(copy.picture)) continue;
      const tagHfcRect r = CopiedRect(copy);
      face = {std::min(face.left, r.left), std::min(face.top, r.top), std::max(face.right, r.right),
              std::max(face.bottom, r.bottom)};
    }
    return face;
  };
  for (CHfcControl* entry : controls) {
    if (!dynamic_cast<CHfcCtrlCharEditText*>(entry)) continue;
    const tagHfcRect e = faceOf(*entry);
    CHfcControl* nearest[2] = {nullptr, nullptr};  // above, below
    int nearestGap[2] = {0, 0};
    for (CHfcControl* c : controls) {
      const tagHfcRect& l = c->GetFrame();
      if (!dynamic_cast<XEDropdownList*>(c) || l.right <= e.left || l.left >= e.right) continue;
      const int side = l.bottom <= e.top ? 0 : 1;
      const int gap = side == 0 ? e.top - l.bottom : l.top - e.bottom;
      if (gap < 0 || gap > 30 || (nearest[side] && nearestGap[side] <= gap)) continue;
      nearest[side] = c;
      nearestGap[side] = gap;
    }
    for (int side = 0; side < 2; ++side) {
      if (!nearest[side]) continue;
      const int right = faceOf(*nearest[side]).right;
      if (right != e.right)
        Fault(page, DescribeControl(layer, *entry) + " ends at x " + std::to_string(e.right) + ", the list " +
                        (side == 0 ? "above" : "below") + " it at " + std::to_string(right));
    }
  }
}

// Pages of a strip lie inside the strip's layer, over none of its other
// controls; a strip of several tabs has a picture laid out as the strip
// draws and hits its tabs, with every name in one size, clear of its edges.
void LayoutCheck::CheckStrip(CTabControl& strip, const std::vector<CHfcControl*>& controls, CHfcWindowLayer& layer,
                             const std::string& page) {
  const tagHfcRect local{0, 0, layer.GetWidth(), layer.GetHeight()};
  const tagHfcRect& at = layer.GetRect();
  const int n = strip.GetTabPageCount();
  if (n > 1 && strip.GetTabsPicture()) {
    const int laidOut =
        strip.GetFirstTabExtra() + n * strip.GetTabWidth() + (n - 1) * strip.GetTabGap() + strip.GetLastTabExtra();
    if (strip.GetTabsPicture()->GetWidth() != laidOut)
      Fault(page, DescribeControl(layer, strip) + ": its picture is " +
                      std::to_string(strip.GetTabsPicture()->GetWidth()) + " wide, its " + std::to_string(n) +
                      " tabs of " + std::to_string(strip.GetTabWidth()) + " take " + std::to_string(laidOut));
    else
      CheckStripNames(strip, layer, page);
  }
  for (int p = 0; p < n; ++p) {
    CHfcWindowLayer* sub = strip.GetTabPageLayer(p)->GetTabPageWindowLayer();
    if (!sub || !sub->IsVisible()) continue;
    const tagHfcRect& r = sub->GetRect();
    const tagHfcRect inLayer{r.left - at.left, r.top - at.top, r.right - at.left, r.bottom - at.top};
    if (!Inside(inLayer, local))
      Fault(page, "page " + LayerName(*sub) + " reaches past the page it lies on, " + LayerName(layer));
    for (CHfcControl* other : controls) {
      if (other == &strip || !Overlap(other->GetFrame(), inLayer)) continue;
      Fault(page, DescribeControl(layer, *other) + " lies under the page " + LayerName(*sub));
    }
  }
}

}  // namespace vesk::test
