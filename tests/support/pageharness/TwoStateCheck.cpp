#include "tests/support/pageharness/TwoStateCheck.h"

#include <algorithm>
#include <cstdint>
#include <typeinfo>

#include "editor/shell/XESynthLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcCtrlSlideSwitch.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "hfc/CHfcWindowLayer.h"
#include "model/ISection.h"
#include "model/IStringConverter.h"
#include "model/paramdesc/SParamDesc.h"
#include "tests/support/pageharness/LayoutCheck.h"
#include "tests/support/pageharness/LayoutCheckKit.h"
#include "tests/support/pageharness/PageHarness.h"

namespace vesk::test {

struct TwoStateCheck::Subject {
  XESynthLayer* page;
  CHfcControl* control;
  Oskend::ISection* section;
  int pid;
  int value[2];        // the parameter's lower and higher value
  std::string text[2];  // and what they mean
  bool linked;  // else its page sets it, and a click is not its own

  // Where a user can click it now: a value may have locked it.
  bool Clickable() const {
    return linked && control->IsEnabled() && control->IsVisible() && page->IsVisible();
  }
};

namespace {

// The ground a picture's two states are drawn on: the middle, by
// lightness, of the pixels both states draw alike next to those that
// change (the white inside a box around its mark, the casing around a
// switch's positions); of all pixels when none stay alike.
uint32_t Ground(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int width) {
  const int n = static_cast<int>(std::min(a.size(), b.size()));
  auto changes = [&](int i) { return i >= 0 && i < n && a[i] != b[i]; };
  std::vector<std::pair<double, uint32_t>> around, all;
  for (int i = 0; i < n; ++i) {
    const uint32_t p = a[i] | 0xFF000000u;
    const std::pair<double, uint32_t> v{ContrastRatio(p, 0xFF000000u), p};
    all.push_back(v);
    const int x = i % width;
    if (!changes(i) && ((x > 0 && changes(i - 1)) || (x + 1 < width && changes(i + 1)) || changes(i - width) ||
                        changes(i + width)))
      around.push_back(v);
  }
  std::vector<std::pair<double, uint32_t>>& from = around.empty() ? all : around;
  if (from.empty()) return 0;
  std::nth_element(from.begin(), from.begin() + static_cast<long>(from.size() / 2), from.end());
  return from[from.size() / 2].second;
}

// How far pixels [from, to) of a picture stand out from the ground: their
// contrast with it, summed. A check mark on a white box, a lit lamp on a
// dark button, an amber position in a dark slot all add.
double Standout(const std::vector<uint32_t>& pixels, uint32_t ground, size_t from = 0, size_t to = SIZE_MAX) {
  double sum = 0;
  for (size_t i = from; i < std::min(to, pixels.size()); ++i) sum += ContrastRatio(pixels[i], ground) - 1.0;
  return sum;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

void TwoStateCheck::Follows(int controlId, int pid) { followed_.emplace_back(controlId, pid); }

void TwoStateCheck::Check(const std::string& view) {
  CHfcVstEditor& window = h_.window();
  std::vector<Subject> subjects;
  for (int i = 0; i < window.GetLayerCount(); ++i) {
    auto* page = dynamic_cast<XESynthLayer*>(window.GetLayerByIndex(i));
    if (!page || !page->IsVisible()) continue;
    for (CHfcControl* c : page->GetControls()) {
      if (!c || !c->IsVisible() || seen_.count(c)) continue;
      SParamIdInfo link = page->GetParameterIdByControl(c);
      bool linked = link.section && link.pid != -1;
      for (const auto& [id, pid] : followed_)
        if (!linked && c->GetId() == id) link = {page->GetParamSection(page->GetTargetMode(), pid), pid};
      SParamDesc desc{};
      if (!link.section || link.pid == -1 || !link.section->GetParamDesc(link.pid, &desc)) continue;
      auto* slider = dynamic_cast<CHfcCtrlSlideSwitch*>(c);
      const bool slide = slider && slider->GetNumStates() == 2;
      const bool plain = typeid(*c) == typeid(CHfcCtrlSwitch) && (!linked || c->GetMaxIntValue() - c->GetMinIntValue() == 1);
      // A slide switch shows the first values of its parameter, one on each
      // position; a switch stands for a parameter of two.
      if ((!slide && !plain) || desc.ptype == PTYPE_STRING || desc.max - desc.min < 1 ||
          (plain && desc.max - desc.min != 1))
        continue;
      seen_.insert(c);
      Subject s{page, c, link.section, link.pid, {desc.min, desc.min + 1}, {}, linked};
      for (int k = 0; k < 2; ++k) {
        const std::string pair = desc.converter ? desc.converter->Format(s.value[k]) : std::to_string(s.value[k]);
        s.text[k] = pair.substr(0, pair.find('\0'));
      }
      subjects.push_back(s);
    }
  }
  for (Subject& s : subjects) {
    // A click may have led elsewhere: what is no longer shown is not seen.
    if (!s.page->IsVisible() || !s.control->IsVisible()) continue;
    const int before = s.section->GetParamI(s.pid);
    if (dynamic_cast<CHfcCtrlSlideSwitch*>(s.control)) {
      ++slides_;
      CheckSlide(s, view);
    } else {
      ++switches_;
      CheckSwitch(s, view);
    }
    Load(s, before);
  }
}

void TwoStateCheck::CheckSwitch(Subject& s, const std::string& view) {
  std::vector<uint32_t> shown[2];
  for (int k = 0; k < 2; ++k) {
    Load(s, s.value[k]);
    shown[k] = Shown(s);
  }
  if (shown[0] == shown[1]) {
    Fault(view, s, "shows one picture for " + Quoted(s.text[0]) + " and " + Quoted(s.text[1]));
    return;
  }
  const uint32_t ground = Ground(shown[0], shown[1], s.control->GetWidth());
  if (Standout(shown[1], ground) <= Standout(shown[0], ground))
    Fault(view, s, "shows its lit picture for " + Quoted(s.text[0]) + " and its plain one for " + Quoted(s.text[1]));
  // A click turns it over, and the picture follows as after a load.
  for (int k = 0; k < 2; ++k) {
    Load(s, s.value[k]);
    if (!s.Clickable()) continue;
    const auto [x, y] = PageHarness::MiddleOf(*s.page, *s.control);
    if (!ClickAt(s, x, y, view)) return;
    const int now = s.section->GetParamI(s.pid);
    if (now != s.value[1 - k])
      Fault(view, s, "clicked at " + Quoted(s.text[k]) + " stays at " + std::to_string(now));
    else if (Shown(s) != shown[1 - k])
      Fault(view, s, "clicked to " + Quoted(s.text[1 - k]) + " shows another picture than after a load");
  }
}

void TwoStateCheck::CheckSlide(Subject& s, const std::string& view) {
  const tagHfcRect& f = s.control->GetFrame();
  const int width = f.right - f.left;
  const int zone = std::max(1, (f.bottom - f.top) / 2);
  // The position lit for each value: the zone of the switch that stands
  // out more.
  std::vector<uint32_t> shown[2];
  int lit[2] = {0, 0};
  for (int k = 0; k < 2; ++k) {
    Load(s, s.value[k]);
    shown[k] = Shown(s);
  }
  const uint32_t ground = Ground(shown[0], shown[1], width);
  const size_t split = static_cast<size_t>(zone) * width;
  for (int k = 0; k < 2; ++k) lit[k] = Standout(shown[k], ground, split) > Standout(shown[k], ground, 0, split) ? 1 : 0;
  if (lit[0] == lit[1]) {
    Fault(view, s, "lights one position for " + Quoted(s.text[0]) + " and " + Quoted(s.text[1]));
    return;
  }
  const int x = s.page->GetRect().left + (f.left + f.right) / 2;
  auto zoneY = [&](int z) { return s.page->GetRect().top + f.top + z * zone + zone / 2; };
  static const char* const kZone[2] = {"upper", "lower"};
  for (int k = 0; k < 2; ++k) {
    // Where it is lit, a click keeps the value.
    Load(s, s.value[k]);
    if (!s.Clickable()) continue;
    if (!ClickAt(s, x, zoneY(lit[k]), view)) return;
    int now = s.section->GetParamI(s.pid);
    if (now != s.value[k]) {
      Fault(view, s, "lights its " + std::string(kZone[lit[k]]) + " position for " + Quoted(s.text[k]) +
                         ", where a click sets " + Quoted(s.text[1 - k]));
      return;
    }
    // Elsewhere it sets the other value, and the light moves there.
    if (!ClickAt(s, x, zoneY(1 - lit[k]), view)) return;
    now = s.section->GetParamI(s.pid);
    if (now != s.value[1 - k])
      Fault(view, s, "clicked at its " + std::string(kZone[1 - lit[k]]) + " position stays at " + Quoted(s.text[k]));
    else if (Shown(s) != shown[1 - k])
      Fault(view, s, "clicked to " + Quoted(s.text[1 - k]) + " shows another picture than after a load");
  }
}

void TwoStateCheck::Load(Subject& s, int value) {
  // Written without a notice, then the whole section read in again, as a
  // received sound is.
  s.section->PutParamIEx(s.pid, value, Oskend::ISection::kForceLocked, eChgSource_Editor);
  std::vector<uint8_t> bytes(s.section->RawSize());
  if (bytes.empty() || s.section->RawGet(bytes.data(), 0, static_cast<unsigned>(bytes.size())) != bytes.size())
    s.section->PutParamIEx(s.pid, value, Oskend::ISection::kForceLocked | Oskend::ISection::kNotify,
                           eChgSource_Editor);
  else
    s.section->RawPut(bytes.data(), 0, static_cast<unsigned>(bytes.size()));
  h_.Idle();
  h_.Idle();
}

std::vector<uint32_t> TwoStateCheck::Shown(const Subject& s) {
  CHfcVstEditor& window = h_.window();
  window.DrawLayers(true);
  h_.Idle();
  std::vector<uint32_t> pixels;
  CHfcOffscreenContext* picture = window.GetPicture();
  if (!picture) return pixels;
  const tagHfcRect& f = s.control->GetFrame();
  const tagHfcRect& at = s.page->GetRect();
  for (int y = f.top; y < f.bottom; ++y)
    for (int x = f.left; x < f.right; ++x) pixels.push_back(picture->GetBmp()->GetPixel(at.left + x, at.top + y));
  return pixels;
}

bool TwoStateCheck::ClickAt(const Subject& s, int x, int y, const std::string& view) {
  CHfcVstEditor& window = h_.window();
  const int layers = window.GetLayerCount();
  h_.Click(x, y);
  h_.Idle();
  h_.Idle();
  if (window.GetLayerCount() > layers) {
    CHfcWindowLayer* top = window.GetLayerByIndex(window.GetLayerCount() - 1);
    Fault(view, s, "takes a click to open " + (top ? layoutkit::LayerName(*top) : std::string("a layer")));
    h_.Key(0xFF1B);  // Escape closes it
    h_.Idle();
    return false;
  }
  if (s.page->IsVisible()) return true;
  Fault(view, s, "takes a click away to another page");
  return false;
}

void TwoStateCheck::Fault(const std::string& view, const Subject& s, const std::string& what) {
  faults_.push_back(view + ": " + DescribeControl(*s.page, *s.control) + " " + what);
}

}  // namespace vesk::test
