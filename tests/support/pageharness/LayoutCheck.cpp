#include "tests/support/pageharness/LayoutCheck.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/CXBCtrlFilterGraph.h"
#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEKnob.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XEStaticText.h"
#include "editor/shell/XESynthLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlTextSwitch.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindow.h"
#include "hfc/CHfcWindowLayer.h"
#include "hfc/HfcTextFit.h"
#include "model/ISection.h"
#include "model/paramdesc/SParamDesc.h"

namespace vesk::test {

namespace {

std::string ClassName(const std::type_info& type) {
  int status = 0;
  char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  std::string out = status == 0 && name ? name : type.name();
  std::free(name);
  return out;
}

std::string RectText(const tagHfcRect& r) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "(%d, %d %dx%d)", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return buf;
}

bool Inside(const tagHfcRect& inner, const tagHfcRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const tagHfcRect& a, const tagHfcRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Empty(const tagHfcRect& r) { return r.right <= r.left || r.bottom <= r.top; }

std::string LayerName(CHfcWindowLayer& layer) {
  return ClassName(typeid(layer)) + " " + RectText(layer.GetRect());
}

// A layer-sized rectangle in the layer's own pixels.
tagHfcRect LocalRect(CHfcWindowLayer& layer) { return {0, 0, layer.GetWidth(), layer.GetHeight()}; }

// Every boxed text a control draws, as the text probe hears it.
class Recorder : public IHfcTextProbe {
 public:
  Recorder() { HfcSetTextProbe(this); }
  ~Recorder() override { HfcSetTextProbe(nullptr); }
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;
  void OnBoxedText(const tagHfcBoxedText& text) override { texts.push_back(text); }
  std::vector<tagHfcBoxedText> texts;
};

std::vector<tagHfcBoxedText> DrawAndListen(CHfcWindowLayer& layer, CHfcControl& control) {
  Recorder recorder;
  CHfcOffscreenContext scratch(layer.GetWidth(), layer.GetHeight());
  control.Draw(&scratch);
  return std::move(recorder.texts);
}

// The part of a picture that is not fully transparent, in its own pixels.
tagHfcRect Opaque(CHfcBmp* bmp) {
  tagHfcRect r{0, 0, 0, 0};
  if (!bmp) return r;
  r = {bmp->GetWidth(), bmp->GetHeight(), 0, 0};
  for (int y = 0; y < bmp->GetHeight(); ++y)
    for (int x = 0; x < bmp->GetWidth(); ++x)
      if (bmp->GetPixel(x, y) >> 24) {
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x + 1);
        r.bottom = std::max(r.bottom, y + 1);
      }
  return r;
}

tagHfcRect InkRect(CHfcWindowLayer& layer, CHfcControl& control) {
  const tagHfcRect& f = control.GetFrame();
  if (dynamic_cast<XEStaticText*>(&control)) {
    tagHfcRect r{f.right, f.bottom, f.left, f.top};
    for (const tagHfcBoxedText& t : DrawAndListen(layer, control)) {
      const int w = std::min(t.width, HfcGetBmpTextInkWidth(t.font, t.text));
      if (w <= 0) continue;
      r.left = std::min(r.left, t.x);
      r.top = std::min(r.top, t.y);
      r.right = std::max(r.right, t.x + w);
      r.bottom = std::max(r.bottom, t.y + t.font->textHeight);
    }
    return r;
  }
  if (dynamic_cast<CXBCtrlFilterGraph*>(&control)) {
    // The graph's rectangle keeps room around its picture for the handle.
    return {f.left + 2, f.top + 2, f.right - 4, f.bottom - 4};
  }
  if (dynamic_cast<XEKnob*>(&control)) {
    static const tagHfcRect ring = [] {
      ResourceManager* images = ResourceManager::GetInstance();
      tagHfcRect a = Opaque(images ? images->LoadImage("Knob_Meter") : nullptr);
      const tagHfcRect b = Opaque(images ? images->LoadImage("Knob_MeterBack") : nullptr);
      return tagHfcRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                        std::max(a.bottom, b.bottom)};
    }();
    return {f.left + ring.left, f.top + ring.top, f.left + ring.right, f.top + ring.bottom};
  }
  return f;
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

}  // namespace

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
    CheckLayer(window, *layer, page);
  }
}

void LayoutCheck::CheckLayer(CHfcWindow&, CHfcWindowLayer& layer, const std::string& page) {
  std::vector<CHfcControl*> controls;
  for (CHfcControl* c : layer.GetControls())
    if (c && c->IsVisible() && !Empty(c->GetFrame())) controls.push_back(c);
  const tagHfcRect local = LocalRect(layer);
  const tagHfcRect& at = layer.GetRect();
  for (CHfcControl* c : controls) {
    ++controls_;
    if (!Inside(c->GetFrame(), local))
      Fault(page, DescribeControl(layer, *c) + " reaches past its layer " + LayerName(layer));
  }
  // What each control paints: pictures of the page's decoration lie under
  // everything; a label paints its text, not its whole box; a knob its
  // ring and cap.
  std::vector<tagHfcRect> ink;
  std::vector<CHfcControl*> painting;
  for (CHfcControl* c : controls) {
    if (dynamic_cast<XEStaticBmp*>(c)) continue;
    painting.push_back(c);
    ink.push_back(InkRect(layer, *c));
  }
  for (size_t i = 0; i < painting.size(); ++i) {
    for (size_t j = i + 1; j < painting.size(); ++j) {
      const tagHfcRect& a = ink[i];
      const tagHfcRect& b = ink[j];
      if (Empty(a) || Empty(b) || !Overlap(a, b) || Inside(a, b) || Inside(b, a)) continue;
      Fault(page, DescribeControl(layer, *painting[i]) + " overlaps " + DescribeControl(layer, *painting[j]) +
                      " on " + LayerName(layer));
    }
  }
  // Pages of a strip lie inside the strip's layer, over none of its other
  // controls; a strip of several tabs has a picture laid out as the strip
  // draws and hits its tabs.
  for (CHfcControl* c : controls) {
    auto* strip = dynamic_cast<CTabControl*>(c);
    if (!strip) continue;
    const int n = strip->GetTabPageCount();
    if (n > 1 && strip->GetTabsPicture()) {
      const int laidOut = strip->GetFirstTabExtra() + n * strip->GetTabWidth() + (n - 1) * strip->GetTabGap() +
                          strip->GetLastTabExtra();
      if (strip->GetTabsPicture()->GetWidth() != laidOut)
        Fault(page, DescribeControl(layer, *c) + ": its picture is " +
                        std::to_string(strip->GetTabsPicture()->GetWidth()) + " wide, its " + std::to_string(n) +
                        " tabs of " + std::to_string(strip->GetTabWidth()) + " take " + std::to_string(laidOut));
    }
    for (int p = 0; p < strip->GetTabPageCount(); ++p) {
      CHfcWindowLayer* sub = strip->GetTabPageLayer(p)->GetTabPageWindowLayer();
      if (!sub || !sub->IsVisible()) continue;
      const tagHfcRect& r = sub->GetRect();
      const tagHfcRect inLayer{r.left - at.left, r.top - at.top, r.right - at.left, r.bottom - at.top};
      if (!Inside(inLayer, local))
        Fault(page, "page " + LayerName(*sub) + " reaches past the page it lies on, " + LayerName(layer));
      for (CHfcControl* other : controls) {
        if (other == strip || !Overlap(other->GetFrame(), inLayer)) continue;
        Fault(page, DescribeControl(layer, *other) + " lies under the page " + LayerName(*sub));
      }
    }
  }
  for (CHfcControl* c : controls) CheckTexts(layer, *c, page);
}

void LayoutCheck::CheckTexts(CHfcWindowLayer& layer, CHfcControl& control, const std::string& page) {
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
  const std::vector<tagHfcBoxedText> drawn = DrawAndListen(layer, control);
  judge(drawn);

  if (auto* list = dynamic_cast<XEDropdownList*>(&control)) {
    const int value = list->GetIntValue();
    for (int i = 0; i < list->GetItemCount(); ++i) {
      list->SetIntValue(list->GetMinIntValue() + i, false);
      judge(DrawAndListen(layer, control));
    }
    list->SetIntValue(value, false);
    return;
  }
  auto* synthLayer = dynamic_cast<XESynthLayer*>(&layer);
  if (!synthLayer || !ShowsValueText(control)) return;
  const SParamIdInfo link = synthLayer->GetParameterIdByControl(&control);
  SParamDesc desc{};
  if (!link.section || !link.section->GetParamDesc(link.pid, &desc) || desc.ptype == PTYPE_STRING) return;
  const std::vector<int> values = ValuesOf(desc);
  if (values.empty()) return;
  const char* shownNow = static_cast<const char*>(control.GetPtrValue());
  const std::string restore = shownNow ? shownNow : "";
  // The font the control draws in, from a first text; then the widest text.
  std::string text = synthLayer->ValueText(&control, desc, values.front());
  control.SetPtrValue(text.data(), false);
  const std::vector<tagHfcBoxedText> first = DrawAndListen(layer, control);
  if (first.size() == 1) {
    int widest = -1;
    for (int v : values) {
      std::string candidate = synthLayer->ValueText(&control, desc, v);
      const int w = HfcGetBmpTextInkWidth(first.front().font, candidate);
      if (w > widest) {
        widest = w;
        text = std::move(candidate);
      }
    }
    control.SetPtrValue(text.data(), false);
    judge(DrawAndListen(layer, control));
  }
  std::string back = restore;
  control.SetPtrValue(back.data(), false);
}

}  // namespace vesk::test
