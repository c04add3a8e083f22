#include "tests/support/pageharness/RoutingCheck.h"

#include <set>
#include <string>

#include "editor/controls/ResourceManager.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XESynthLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/support/pageharness/LayoutCheck.h"
#include "tests/support/pageharness/LayoutScene.h"

namespace vesk::test {

namespace {

// A line is a run of dark pixels at least this long; a letter's strokes
// and an arrow head's columns (8 high) are shorter.
constexpr int kLongest = 9;

struct Run {
  int x0, y0, x1, y1;  // inclusive; one row or one column
};

class Diagram {
 public:
  Diagram(CHfcBmp& picture, const tagHfcRect& area, std::vector<tagHfcRect> boxes)
      : picture_(picture), area_(area), boxes_(std::move(boxes)) {
    for (int y = area.top; y < area.bottom; ++y) Runs(area.left, y, 1, 0, area.right - area.left);
    for (int x = area.left; x < area.right; ++x) Runs(x, area.top, 0, 1, area.bottom - area.top);
  }

  // Dark: what the pictures draw their lines and names in; the panel, the
  // boxes and the amber chain arrow are light beside it.
  bool Ink(int x, int y) const {
    return x >= area_.left && y >= area_.top && x < area_.right && y < area_.bottom &&
           ContrastRatio(picture_.GetPixel(x, y), 0xFFFFFFFFu) >= 4.5;
  }

  // The places where a line leads nowhere.
  std::set<std::pair<int, int>> LooseEnds() const {
    std::set<std::pair<int, int>> loose;
    for (const Run& r : across_) {
      if (!Meets(r.x1, r.y0, true) && !IntoBox(r.x1, r.y0)) loose.emplace(r.x1, r.y0);
      if (!Meets(r.x0, r.y0, true) && !FromBox(r.x0, r.y0) && !AfterName(r.x0, r.y0)) loose.emplace(r.x0, r.y0);
    }
    for (const Run& r : down_) {
      if (!Meets(r.x0, r.y0, false)) loose.emplace(r.x0, r.y0);
      if (!Meets(r.x0, r.y1, false)) loose.emplace(r.x0, r.y1);
    }
    return loose;
  }

 private:
  void Runs(int x, int y, int dx, int dy, int n) {
    int start = -1;
    for (int i = 0; i <= n; ++i) {
      const bool ink = i < n && Ink(x + dx * i, y + dy * i);
      if (ink && start < 0) start = i;
      if (!ink && start >= 0) {
        if (i - start >= kLongest)
          (dx ? across_ : down_).push_back({x + dx * start, y + dy * start, x + dx * (i - 1), y + dy * (i - 1)});
        start = -1;
      }
    }
  }
  // A line of the other direction passes through or beside the end.
  bool Meets(int x, int y, bool acrossEnd) const {
    for (const Run& r : acrossEnd ? down_ : across_) {
      if (acrossEnd && std::abs(r.x0 - x) <= 1 && y >= r.y0 - 1 && y <= r.y1 + 1) return true;
      if (!acrossEnd && std::abs(r.y0 - y) <= 1 && x >= r.x0 - 1 && x <= r.x1 + 1) return true;
    }
    return false;
  }
  // The end is the tip of an arrow head (ink three rows above or below
  // the line, three columns back) just before a box that its row meets.
  bool IntoBox(int x, int y) const {
    int head = 0;
    for (int dy = -4; dy <= 5; ++dy) head += Ink(x - 3, y + dy);
    if (head < 6) return false;
    for (const tagHfcRect& b : boxes_)
      if (b.left > x && b.left <= x + 4 && y >= b.top && y < b.bottom) return true;
    return false;
  }
  // The start leaves a box its row meets, at the box's right end.
  bool FromBox(int x, int y) const {
    for (const tagHfcRect& b : boxes_)
      if (b.right <= x && b.right >= x - 3 && y >= b.top && y < b.bottom) return true;
    return false;
  }
  // The start follows a name: ink a few columns before it on its rows.
  bool AfterName(int x, int y) const {
    for (int dx = 2; dx <= 8; ++dx)
      for (int dy = -4; dy <= 5; ++dy)
        if (Ink(x - dx, y + dy)) return true;
    return false;
  }

  CHfcBmp& picture_;
  tagHfcRect area_;
  std::vector<tagHfcRect> boxes_;
  std::vector<Run> across_;
  std::vector<Run> down_;
};

}  // namespace

std::vector<std::string> CheckRoutingPictures(CHfcWindowLayer& layer, const std::string& view, int* checked) {
  std::vector<std::string> faults;
  auto* page = dynamic_cast<XESynthLayer*>(&layer);
  ResourceManager* images = ResourceManager::GetInstance();
  if (!page || !images) return faults;
  LayoutScene scene(layer);
  std::vector<tagHfcRect> boxes;
  std::vector<std::pair<std::string, tagHfcRect>> routings;
  for (int i = 0; i < page->GetContainerCount(); ++i) {
    const XEControlContainer* c = page->GetContainerByIndex(i);
    if (!c || !c->m_bVisible || !c->m_pBackground) continue;
    const tagHfcRect r{c->m_iX, c->m_iY, c->m_iX + c->m_iWidth, c->m_iY + c->m_iHeight};
    const std::string name = images->NameOf(c->m_pBackground);
    if (name.size() > 8 && name.compare(name.size() - 8, 8, "_Routing") == 0)
      routings.emplace_back(name, r);
    else
      boxes.push_back(r);
  }
  for (const auto& [name, r] : routings) {
    if (checked) ++*checked;
    const Diagram diagram(scene.Decoration(), r, boxes);
    for (const auto& [x, y] : diagram.LooseEnds())
      faults.push_back(view + ": '" + name + "' has a line that leads nowhere at (" + std::to_string(x - r.left) +
                       ", " + std::to_string(y - r.top) + ")");
  }
  return faults;
}

}  // namespace vesk::test
