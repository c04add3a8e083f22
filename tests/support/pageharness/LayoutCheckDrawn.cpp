// The checks of what each control draws: its pictures, its backdrop, its
// texts and their legibility.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <typeinfo>

#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEKnob.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/shell/XESynthLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/CHfcCtrlTextSwitch.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "model/ISection.h"
#include "model/paramdesc/SParamDesc.h"
#include "tests/support/pageharness/LayoutCheck.h"
#include "tests/support/pageharness/LayoutCheckKit.h"
#include "tests/support/pageharness/LayoutScene.h"

namespace vesk::test {

using namespace layoutkit;

namespace {

// Two colours a reader tells apart as different, beyond rounding.
bool Differ(uint32_t a, uint32_t b) {
  for (int shift = 0; shift <= 16; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 6) return true;
  return false;
}

// A colour laid over another by its alpha.
uint32_t Over(uint32_t top, uint32_t under) {
  const uint32_t a = top >> 24;
  uint32_t out = 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t t = (top >> shift) & 0xFF;
    const uint32_t u = (under >> shift) & 0xFF;
    out |= ((t * a + u * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

tagHfcRect Clip(const tagHfcRect& a, const tagHfcRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// Values of a range to measure: all of them, or an even sample with both
// ends of a very long one.
std::vector<int> ValuesOf(const SParamDesc& desc) {
  std::vector<int> values;
  const int64_t span = int64_t{desc.max} - desc.min;
  if (span < 0) return values;
  constexpr int64_t kMost = 2048;
  if (span <= kMost) {
    for (int64_t v = desc.min; v <= desc.max; ++v) values.push_back(static_cast<int>(v));
  } else {
    for (int64_t i = 0; i <= kMost; ++i) values.push_back(static_cast<int>(desc.min + span * i / kMost));
  }
  return values;
}

// Controls that show the text of their parameter's value.
bool ShowsValueText(CHfcControl& control) {
  const std::type_info& t = typeid(control);
  if (t == typeid(XESoundSelector)) {
    // Program names (kinds 3 and 4) are the user's, not the editor's texts.
    const int kind = static_cast<XESoundSelector&>(control).GetKind();
    return kind != 3 && kind != 4;
  }
  return t == typeid(XEKnob) || t == typeid(CXBCtrlHorizontalValueBar) || t == typeid(CHfcCtrlTextSwitch) ||
         t == typeid(CHfcCtrlCharEditText);
}

// The value texts of a control's parameter with the font and box the
// control draws them in; empty when the control shows none.
struct ValueTexts {
  std::vector<std::string> texts;
  tagHfcBmpFontInfo* font = nullptr;
  int box = 0;
  std::string widest;
};

ValueTexts ValueTextsOf(CHfcWindowLayer& layer, CHfcControl& control) {
  ValueTexts out;
  auto* page = dynamic_cast<XESynthLayer*>(&layer);
  if (!page || !ShowsValueText(control)) return out;
  const SParamIdInfo link = page->GetParameterIdByControl(&control);
  SParamDesc desc{};
  if (!link.section || !link.section->GetParamDesc(link.pid, &desc) || desc.ptype == PTYPE_STRING) return out;
  const std::vector<int> values = ValuesOf(desc);
  if (values.empty()) return out;
  const char* shownNow = static_cast<const char*>(control.GetPtrValue());
  std::string restore = shownNow ? shownNow : "";
  // The font and box the control draws in, from a first text.
  std::string first = page->ValueText(&control, desc, values.front());
  control.SetPtrValue(first.data(), false);
  const std::vector<tagHfcBoxedText> drawn = DrawAndListen(layer, control);
  control.SetPtrValue(restore.data(), false);
  if (drawn.size() != 1) return out;
  out.font = drawn.front().font;
  out.box = drawn.front().width;
  int widest = -1;
  for (int v : values) {
    // A value text may carry a second form after a NUL; the first is shown.
    out.texts.push_back(page->ValueText(&control, desc, v).c_str());
    const int w = HfcGetBmpTextInkWidth(out.font, out.texts.back());
    if (w > widest) {
      widest = w;
      out.widest = out.texts.back();
    }
  }
  return out;
}

// Texts of one list, and what a reader can no longer tell apart once they
// are fitted to their box: two shown alike, or a cut whose beginning is
// also the beginning of another text ("Mon..." beside "Mono").
class AlikeTexts {
 public:
  void Add(const std::string& text, const std::string& shown) {
    if (shownFor_.emplace(text, shown).second) full_.insert(text);
  }
  std::vector<std::pair<std::string, std::string>> Pairs() const {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::map<std::string, std::string> firstShowing;
    for (const auto& [text, shown] : shownFor_) {
      auto [it, added] = firstShowing.try_emplace(shown, text);
      if (!added) {
        pairs.emplace_back(it->second, text);
        continue;
      }
      const size_t dots = shown.find("...");
      if (dots == std::string::npos || shown.size() != dots + 3) continue;
      const std::string kept = shown.substr(0, dots);
      for (auto o = full_.lower_bound(kept); o != full_.end() && o->compare(0, kept.size(), kept) == 0; ++o)
        if (*o != text) {
          pairs.emplace_back(text, *o);
          break;
        }
    }
    return pairs;
  }

 private:
  std::map<std::string, std::string> shownFor_;
  std::set<std::string> full_;
};

}  // namespace

namespace layoutkit {

double ContrastOnGround(const tagHfcBoxedText& t, CHfcBmp& out, const tagHfcRect& area) {
  const std::string shown = HfcFitBmpText(t.font, t.text, t.width);
  const tagHfcRect box = Clip({t.x, t.y, t.x + t.width, t.y + t.font->cellHeight}, area);
  if (shown.empty() || Empty(box)) return 0;
  CHfcOffscreenContext glyphs(t.width, t.font->cellHeight);
  glyphs.ClearRect(0, 0, t.width, t.font->cellHeight);
  glyphs.DrawBmpTextProportional(0, 0, shown.c_str(), t.width, t.font, 0xFFFFFFFFu, false);
  std::vector<std::pair<double, uint32_t>> bare;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if ((glyphs.GetBmp()->GetPixel(x - t.x, y - t.y) >> 24) < 16)
        bare.emplace_back(ContrastRatio(out.GetPixel(x, y), 0xFF000000u), out.GetPixel(x, y));
  if (bare.empty()) return 0;
  std::nth_element(bare.begin(), bare.begin() + static_cast<long>(bare.size() / 2), bare.end());
  const uint32_t ground = bare[bare.size() / 2].second;
  if ((ground >> 24) == 0) return 0;
  return ContrastRatio(Over(t.colour, ground), ground);
}

}  // namespace layoutkit

void LayoutCheck::CheckDrawn(CHfcControl& control, LayoutScene& scene, CHfcWindowLayer& layer,
                             const std::string& page) {
  const tagHfcRect f = control.GetFrame();
  const LayoutScene::Drawn drawn = scene.DrawControl(control);
  CHfcBmp& out = scene.Scratch();
  CHfcBmp& under = scene.Decoration();
  // Its backdrop as far as it paints, focus margin included.
  const tagHfcRect area = Clip(LayoutScene::PaintedRect(control), {0, 0, layer.GetWidth(), layer.GetHeight()});
  for (const tagHfcPictureCopy& c : drawn.copies) {
    auto* picture = const_cast<CHfcBmp*>(c.picture);
    if (!scene.IsSurface(c.picture)) {
      // The control's own face: as wide as the control, from the picture's
      // left edge; a wider picture loses its right end.
      if (c.dx == f.left && c.sx == 0 && c.w == f.right - f.left && picture->GetWidth() > c.w)
        Fault(page, DescribeControl(layer, control) + " cuts its picture '" + PictureName(c.picture) + "' (" +
                        std::to_string(picture->GetWidth()) + " px wide) to its " + std::to_string(c.w) + " px");
      continue;
    }
    // A backdrop: where it shows, it must be what lies under the control.
    if (c.sx < 0 || c.sy < 0) continue;
    const tagHfcRect r = Clip(CopiedRect(c), area);
    int shown = 0;
    int differ = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const uint32_t source = picture->GetPixel(c.sx + x - c.dx, c.sy + y - c.dy);
        if ((source >> 24) != 0xFF || out.GetPixel(x, y) != source) continue;
        ++shown;
        if (Differ(source, under.GetPixel(x, y))) ++differ;
      }
    if (differ > 3 && differ * 50 > shown)
      Fault(page, DescribeControl(layer, control) + " copies its backdrop from '" + PictureName(c.picture) +
                      "' at (" + std::to_string(c.sx) + ", " + std::to_string(c.sy) + "), which differs from what lies "
                      "under it in " + std::to_string(differ) + " of " + std::to_string(shown) + " pixels (a tile)");
  }
  // Each text against what it stands on. On a layer that draws nothing
  // under its controls, where the control copies no picture of its own
  // behind the text either, the ground is whatever the window shows there:
  // nothing to measure.
  auto backed = [&](int x, int y) {
    if (under.GetPixel(x, y) >> 24) return true;
    for (const tagHfcPictureCopy& c : drawn.copies) {
      const tagHfcRect r = OpaqueRect(c);
      if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    }
    return false;
  };
  for (const tagHfcBoxedText& t : drawn.texts) {
    const tagHfcRect box = Clip({t.x, t.y, t.x + t.width, t.y + t.font->cellHeight}, area);
    if (Empty(box) || !backed(box.left, box.top)) continue;
    const double ratio = ContrastOnGround(t, out, area);
    if (ratio <= 0) continue;
    // Disabled controls draw their text at a quarter of its strength, which
    // even black on white stays under 2:1 and coloured text on the
    // browsers' black under 1.5:1: disabled text is only to be seen.
    const double needed = control.IsEnabled() ? 4.5 : 1.2;
    if (ratio < needed) {
      char text[64];
      std::snprintf(text, sizeof text, "%.2f:1 (%s text needs %.1f:1)", ratio,
                    control.IsEnabled() ? "enabled" : "disabled", needed);
      Fault(page, DescribeControl(layer, control) + ": \"" + t.text + "\" stands out from its ground at " + text);
    }
  }
}

// Switches drawn from pictures of their own must not look alike: each
// picture stands for something of its own (a timbre, say).
void LayoutCheck::CheckAlike(const std::vector<CHfcControl*>& controls, LayoutScene& scene, CHfcWindowLayer& layer,
                             const std::string& page) {
  struct Face {
    CHfcControl* control;
    const CHfcBmp* picture;
  };
  std::vector<Face> faces;
  for (CHfcControl* c : controls) {
    if (typeid(*c) != typeid(CHfcCtrlSwitch)) continue;
    const tagHfcRect& f = c->GetFrame();
    for (const tagHfcPictureCopy& copy : scene.DrawControl(*c).copies)
      if (!scene.IsSurface(copy.picture) && copy.dx == f.left && copy.dy == f.top && copy.w == f.right - f.left &&
          copy.h == f.bottom - f.top && copy.sx == 0) {
        faces.push_back({c, copy.picture});
        break;
      }
  }
  for (size_t i = 0; i < faces.size(); ++i)
    for (size_t j = i + 1; j < faces.size(); ++j) {
      const Face& a = faces[i];
      const Face& b = faces[j];
      auto* pa = const_cast<CHfcBmp*>(a.picture);
      auto* pb = const_cast<CHfcBmp*>(b.picture);
      if (pa == pb || pa->GetWidth() != pb->GetWidth() || pa->GetHeight() != pb->GetHeight()) continue;
      // Every state alike, not only the one shown now.
      bool same = true;
      for (int y = 0; same && y < pa->GetHeight(); ++y)
        for (int x = 0; same && x < pa->GetWidth(); ++x) same = pa->GetPixel(x, y) == pb->GetPixel(x, y);
      if (same)
        Fault(page, DescribeControl(layer, *a.control) + " and " + DescribeControl(layer, *b.control) +
                        " look alike, drawn from '" + PictureName(a.picture) + "' and '" + PictureName(b.picture) +
                        "'");
    }
}

// A knob's value, at its widest, keeps a pixel of its cap between its ink
// and the value ring.
void LayoutCheck::CheckKnobText(CHfcControl& control, LayoutScene& scene, CHfcWindowLayer& layer,
                                const std::string& page) {
  if (typeid(control) != typeid(XEKnob)) return;
  const ValueTexts values = ValueTextsOf(layer, control);
  ResourceManager* images = ResourceManager::GetInstance();
  CHfcBmp* ring = images ? images->LoadImage("Knob_Meter") : nullptr;
  if (values.widest.empty() || !ring) return;
  const char* shownNow = static_cast<const char*>(control.GetPtrValue());
  std::string restore = shownNow ? shownNow : "";
  const tagHfcRect& f = control.GetFrame();
  const int w = f.right - f.left;
  const int h = f.bottom - f.top;
  std::string none;
  control.SetPtrValue(none.data(), false);
  scene.DrawControl(control);
  std::vector<uint32_t> bare(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bare[static_cast<size_t>(y) * w + x] = scene.Scratch().GetPixel(f.left + x, f.top + y);
  std::string widest = values.widest;
  control.SetPtrValue(widest.data(), false);
  scene.DrawControl(control);
  control.SetPtrValue(restore.data(), false);
  auto ringAt = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < ring->GetWidth() && y < ring->GetHeight() && (ring->GetPixel(x, y) >> 24) > 0x40;
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t now = scene.Scratch().GetPixel(f.left + x, f.top + y);
      if (ContrastRatio(now, bare[static_cast<size_t>(y) * w + x]) < 1.5) continue;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (ringAt(x + dx, y + dy)) {
            Fault(page, DescribeControl(layer, control) + ": its value \"" + values.widest + "\" touches the ring at (" +
                            std::to_string(f.left + x) + ", " + std::to_string(f.top + y) + ")");
            return;
          }
    }
}

void LayoutCheck::CheckTexts(CHfcControl& control, LayoutScene& scene, CHfcWindowLayer& layer,
                             const std::string& page) {
  const tagHfcRect frame = control.GetFrame();
  const bool cellDrawn = dynamic_cast<CMMPCtrlList*>(&control) != nullptr;
  auto judge = [&](const std::vector<tagHfcBoxedText>& texts) {
    for (const tagHfcBoxedText& t : texts) {
      if (t.text.empty()) continue;
      ++texts_;
      const int width = HfcGetBmpTextInkWidth(t.font, t.text);
      // A list draws each cell in a picture of the cell's own, which holds
      // the box by its size.
      if (!cellDrawn && (t.x < frame.left || t.x + t.width > frame.right))
        Fault(page, DescribeControl(layer, control) + " draws \"" + t.text + "\" in a box from x " +
                        std::to_string(t.x) + ", " + std::to_string(t.width) + " wide, past its own edges");
      if (width > t.width)
        Fault(page, DescribeControl(layer, control) + ": \"" + t.text + "\" is " + std::to_string(width) +
                        " px wide, its box " + std::to_string(t.width));
    }
  };
  auto alike = [&](const AlikeTexts& found, const char* what) {
    for (const auto& [a, b] : found.Pairs())
      Fault(page, DescribeControl(layer, control) + ": " + what + " \"" + a + "\" and \"" + b +
                      "\" cannot be told apart once cut to their box");
  };
  judge(DrawAndListen(layer, control));

  if (auto* list = dynamic_cast<XEDropdownList*>(&control)) {
    const int value = list->GetIntValue();
    AlikeTexts items;
    for (int i = 0; i < list->GetItemCount(); ++i) {
      list->SetIntValue(list->GetMinIntValue() + i, false);
      const std::vector<tagHfcBoxedText> texts = DrawAndListen(layer, control);
      judge(texts);
      // The list may hand the face a shortened text: what it shows against
      // the item it stands for.
      std::string item;
      list->GetItemText(item, i);
      for (const tagHfcBoxedText& t : texts) items.Add(item, HfcFitBmpText(t.font, t.text, t.width));
    }
    list->SetIntValue(value, false);
    alike(items, "items");
    return;
  }
  const ValueTexts values = ValueTextsOf(layer, control);
  if (values.widest.empty()) return;
  const char* shownNow = static_cast<const char*>(control.GetPtrValue());
  std::string restore = shownNow ? shownNow : "";
  std::string widest = values.widest;
  control.SetPtrValue(widest.data(), false);
  judge(DrawAndListen(layer, control));
  // Every value as the control fits it (its box may follow the text); the
  // same parameter in the same kind of control fits alike everywhere.
  if (!fitted_.insert(typeid(control).name() + std::to_string(control.GetWidth()) + "/" +
                   std::to_string(values.texts.size()) + values.texts.front() + values.texts.back() + values.widest)
           .second)
    return;
  AlikeTexts shown;
  std::set<std::string> drawn;
  for (const std::string& text : values.texts) {
    if (!drawn.insert(text).second) continue;
    std::string t = text;
    control.SetPtrValue(t.data(), false);
    for (const tagHfcBoxedText& b : scene.DrawControl(control).texts)
      shown.Add(b.text, HfcFitBmpText(b.font, b.text, b.width));
  }
  control.SetPtrValue(restore.data(), false);
  alike(shown, "values");
}

}  // namespace vesk::test
