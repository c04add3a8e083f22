#include "tests/support/pageharness/RenderCheck.h"

#include <algorithm>

#include "editor/controls/CTabControl.h"
#include "editor/controls/ITabPageLayer.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XEStaticText.h"
#include "editor/shell/CTabPageLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/support/pageharness/LayoutCheck.h"
#include "tests/support/pageharness/PageHarness.h"

namespace vesk::test {

namespace {

// Ink is a row of the box in more than one colour: a fill, flat or shaded
// from top to bottom (a value box drawn without its value), is none.
bool ShowsInk(CHfcBmp& picture, const tagHfcRect& r) {
  const int right = std::min(r.right, picture.GetWidth());
  const int bottom = std::min(r.bottom, picture.GetHeight());
  if (r.left >= right || r.top >= bottom) return false;
  for (int y = r.top; y < bottom; ++y) {
    const uint32_t first = picture.GetPixel(r.left, y) & 0xFFFFFFu;
    for (int x = r.left + 1; x < right; ++x)
      if ((picture.GetPixel(x, y) & 0xFFFFFFu) != first) return true;
  }
  return false;
}

void Look(CHfcBmp& picture, CHfcWindowLayer& layer, std::vector<std::string>& blank, int& checked) {
  const tagHfcRect& at = layer.GetRect();
  for (CHfcControl* c : layer.GetControls()) {
    if (!c || !c->IsVisible() || dynamic_cast<XEStaticBmp*>(c)) continue;
    if (auto* label = dynamic_cast<XEStaticText*>(c); label && label->GetText().empty()) continue;
    const tagHfcRect& f = c->GetFrame();
    // Only what the layer shows: a control placed past it is not drawn.
    if (f.right <= f.left || f.bottom <= f.top || f.right > layer.GetWidth() || f.bottom > layer.GetHeight())
      continue;
    ++checked;
    if (!ShowsInk(picture, {at.left + f.left, at.top + f.top, at.left + f.right, at.top + f.bottom}))
      blank.push_back(DescribeControl(layer, *c));
  }
}

}  // namespace

std::vector<std::string> ControlsWithoutInk(PageHarness& h, CHfcWindowLayer& page, int* checked) {
  std::vector<std::string> blank;
  int looked = 0;
  CHfcBmp* picture = h.window().GetPicture() ? h.window().GetPicture()->GetBmp() : nullptr;
  if (!picture) return {"the window has no picture"};
  Look(*picture, page, blank, looked);
  if (auto* tabPage = dynamic_cast<CTabPageLayer*>(&page))
    if (CTabControl* strip = tabPage->GetSublevelTabControl())
      if (ITabPageLayer* sub = strip->GetActivePage())
        if (CHfcWindowLayer* layer = sub->GetTabPageWindowLayer(); layer && layer->IsVisible())
          Look(*picture, *layer, blank, looked);
  if (checked) *checked = looked;
  return blank;
}

}  // namespace vesk::test
