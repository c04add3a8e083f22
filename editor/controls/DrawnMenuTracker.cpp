#include "editor/controls/DrawnMenuTracker.h"

#include <algorithm>

#include "editor/controls/DrawnForm.h"
#include "os/MainLoop.h"

namespace {

constexpr int kMarkColumn = 20;
constexpr int kArrowColumn = 18;
constexpr int kMinWidth = 80;

DrawnMenuTracker* g_current = nullptr;

bool Choosable(const os::Menu::Item& it) { return !it.separator && it.enabled && !it.submenu; }
bool Selectable(const os::Menu::Item& it) { return !it.separator && it.enabled; }

uint32_t SelectionOf(const os::Menu& menu, int index) {
  return (static_cast<uint32_t>(menu.id() & 0xFFFF) << 16) | static_cast<uint32_t>(index + 1);
}

}  // namespace

// One open menu level: its window and the item under the highlight.
class DrawnMenuTracker::Panel : public DrawnForm {
 public:
  Panel(DrawnMenuTracker& owner, os::Menu& menu) : mOwner(owner), mMenu(menu) {}

  int Width() const {
    int w = kMinWidth;
    for (const auto& it : mMenu.items())
      if (!it.separator)
        w = std::max(w, kMarkColumn + TextWidth(it.text, PlainFont()) + kArrowColumn + 8);
    return w;
  }
  int Height() const {
    return ItemTop(mMenu, static_cast<int>(mMenu.items().size())) + kPadding;
  }
  int highlighted = -1;

  void OnWindowMouse(const os::MouseEvent& e) override { mOwner.OnMouse(e); }
  bool OnWindowKey(const os::KeyEvent& e) override {
    mOwner.OnKey(e);
    return true;
  }
  void OnWindowClose() override { mOwner.Finish(0, false); }
  // Only the first level takes the focus (it hears the keys for all); when
  // it goes to another window the user has turned elsewhere.
  void OnWindowFocus(bool gained) override {
    if (!gained && &mMenu == &mOwner.mRoot) mOwner.Finish(0, false);
  }

 private:
  void Paint() override {
    const int w = window()->Width();
    const int h = window()->Height();
    Frame(0, 0, w, h, kFrame);
    const auto& items = mMenu.items();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      const os::Menu::Item& it = items[static_cast<size_t>(i)];
      const int top = ItemTop(mMenu, i);
      if (it.separator) {
        Fill(6, top + kSeparatorHeight / 2, w - 12, 1, kFrame);
        continue;
      }
      const bool lit = i == highlighted && Selectable(it);
      if (lit) Fill(1, top, w - 2, kItemHeight, kAmber);
      const uint32_t ink = lit ? kPanel : it.enabled ? kText : kTextDim;
      const int textTop = top + (kItemHeight - LineHeight(PlainFont())) / 2;
      Text(kMarkColumn, textTop, Fit(it.text, PlainFont(), w - kMarkColumn - kArrowColumn), PlainFont(), ink,
           w - kMarkColumn - kArrowColumn);
      if (it.mark != 0) {
        // A check mark of two strokes.
        Context()->SetPenColor(lit ? kPanel : kAmber);
        Context()->SetPenWidth(2.0f);
        Context()->MoveTo(6.0f, top + 9.0f);
        Context()->LineTo(9.0f, top + 12.5f);
        Context()->LineTo(15.0f, top + 5.0f);
      }
      if (it.submenu) {
        // A small triangle pointing to the side the submenu opens on.
        const int ax = w - 12;
        for (int d = 0; d < 4; ++d) Fill(ax + d, top + 5 + d, 1, 8 - 2 * d, ink);
      }
    }
  }

  DrawnMenuTracker& mOwner;
  os::Menu& mMenu;
};

struct DrawnMenuTracker::Level {
  os::Menu* menu;
  std::unique_ptr<Panel> panel;
  int x, y;
};

int DrawnMenuTracker::ItemTop(const os::Menu& menu, int index) {
  int top = kPadding;
  const auto& items = menu.items();
  for (int i = 0; i < index && i < static_cast<int>(items.size()); ++i)
    top += items[static_cast<size_t>(i)].separator ? kSeparatorHeight : kItemHeight;
  return top;
}

os::Menu::TrackResult DrawnMenuTracker::Track(os::Menu& menu, int x, int y, int item) {
  // One tracking at a time; a nested one answers like the headless form.
  if (g_current != nullptr || os::MainLoop::Current() == nullptr)
    return os::HeadlessMenuTracker::Track(menu, x, y, item);
  DrawnMenuTracker tracker(menu);
  return tracker.Run(x, y, item);
}

void DrawnMenuTracker::Cancel() {
  if (g_current != nullptr) g_current->Finish(0, true);
}

DrawnMenuTracker::DrawnMenuTracker(os::Menu& root) : mRoot(root) { g_current = this; }

DrawnMenuTracker::~DrawnMenuTracker() {
  CloseLevelsAbove(0);
  g_current = nullptr;
}

os::Menu::TrackResult DrawnMenuTracker::Run(int x, int y, int item) {
  // While the menu is open only its levels take input.
  os::Window::ModalInput modal;
  mModal = &modal;
  // The item asked for lies under the point.
  const int count = static_cast<int>(mRoot.items().size());
  const int top = item >= 1 && item <= count ? y - ItemTop(mRoot, item - 1) : y;
  if (!OpenLevel(mRoot, x, std::max(top, 0))) {
    g_current = nullptr;
    return os::HeadlessMenuTracker::Track(mRoot, x, y, item);
  }
  if (item >= 1 && item <= count) Highlight(0, item - 1);
  os::MainLoop::Current()->RunModal(this);
  CloseLevelsAbove(0);
  return mResult;
}

bool DrawnMenuTracker::OpenLevel(os::Menu& menu, int x, int y) {
  auto level = std::make_unique<Level>();
  level->menu = &menu;
  level->panel = std::make_unique<Panel>(*this, menu);
  int width = level->panel->Width();
  const os::Menu::Fit& fit = menu.fit();
  if (mLevels.empty() && fit.right > fit.left) {
    // A popup control's list: as wide as the control at least, and inside
    // its window, moved left (or cut) rather than running off its edge.
    width = std::min(std::max(width, fit.minWidth), fit.right - fit.left);
    x = std::max(std::min(x, fit.right - width), fit.left);
  }
  level->x = x;
  level->y = y;
  DrawnForm::WindowPlacement placement;
  placement.x = x;
  placement.y = y;
  placement.width = width;
  placement.height = level->panel->Height();
  placement.popup = true;
  placement.focus = mLevels.empty();
  if (!level->panel->Open(placement)) return false;
  mModal->Adopt(level->panel->window());
  mLevels.push_back(std::move(level));
  return true;
}

void DrawnMenuTracker::CloseLevelsAbove(size_t depth) {
  while (mLevels.size() > depth) mLevels.pop_back();
}

void DrawnMenuTracker::OpenSubmenuOf(size_t depth, bool highlightFirst) {
  Level& level = *mLevels[depth];
  const int index = level.panel->highlighted;
  if (index < 0) return;
  const os::Menu::Item& it = level.menu->items()[static_cast<size_t>(index)];
  if (!it.submenu || !it.enabled) return;
  if (mLevels.size() > depth + 1 && mLevels[depth + 1]->menu == it.submenu) return;
  CloseLevelsAbove(depth + 1);
  const int x = level.x + level.panel->window()->Width() - 2;
  const int y = level.y + ItemTop(*level.menu, index) - kPadding;
  if (!OpenLevel(*it.submenu, x, y)) return;
  if (highlightFirst) {
    Highlight(depth + 1, -1);
    Step(1);
  }
}

void DrawnMenuTracker::Highlight(size_t depth, int index) {
  Panel& panel = *mLevels[depth]->panel;
  const auto& items = mLevels[depth]->menu->items();
  if (index >= 0 && !Selectable(items[static_cast<size_t>(index)])) index = -1;
  if (panel.highlighted == index) return;
  panel.highlighted = index;
  panel.Redraw();
}

void DrawnMenuTracker::Step(int direction) {
  const size_t depth = mLevels.size() - 1;
  const auto& items = mLevels[depth]->menu->items();
  const int count = static_cast<int>(items.size());
  int index = mLevels[depth]->panel->highlighted;
  for (int n = 0; n < count; ++n) {
    index = index < 0 ? (direction > 0 ? 0 : count - 1) : (index + direction + count) % count;
    if (Selectable(items[static_cast<size_t>(index)])) {
      Highlight(depth, index);
      return;
    }
  }
}

bool DrawnMenuTracker::HitTest(int gx, int gy, size_t* depth, int* index) const {
  for (size_t d = mLevels.size(); d-- > 0;) {
    const Level& level = *mLevels[d];
    const int x = gx - level.x;
    const int y = gy - level.y;
    const os::Window* w = level.panel->window();
    if (x < 0 || y < 0 || x >= w->Width() || y >= w->Height()) continue;
    *depth = d;
    *index = -1;
    const int count = static_cast<int>(level.menu->items().size());
    for (int i = 0; i < count; ++i)
      if (y >= ItemTop(*level.menu, i) && y < ItemTop(*level.menu, i + 1)) *index = i;
    return true;
  }
  return false;
}

void DrawnMenuTracker::OnMouse(const os::MouseEvent& e) {
  if (mDone || e.kind == os::MouseEvent::Kind::kWheel) return;
  size_t depth = 0;
  int index = -1;
  const bool over = HitTest(e.globalX, e.globalY, &depth, &index);
  if (!over) {
    if (e.kind == os::MouseEvent::Kind::kDown) Finish(0, false);
    return;
  }
  Highlight(depth, index);
  const int lit = mLevels[depth]->panel->highlighted;
  const os::Menu::Item* it =
      lit >= 0 ? &mLevels[depth]->menu->items()[static_cast<size_t>(lit)] : nullptr;
  if (it != nullptr && it->submenu) {
    OpenSubmenuOf(depth, false);
  } else {
    CloseLevelsAbove(depth + 1);
  }
  if (e.kind == os::MouseEvent::Kind::kUp && it != nullptr && Choosable(*it))
    Finish(SelectionOf(*mLevels[depth]->menu, lit), false);
}

void DrawnMenuTracker::OnKey(const os::KeyEvent& e) {
  if (mDone || e.kind == os::KeyEvent::Kind::kUp) return;
  const size_t depth = mLevels.size() - 1;
  Level& level = *mLevels[depth];
  const int lit = level.panel->highlighted;
  const os::Menu::Item* it = lit >= 0 ? &level.menu->items()[static_cast<size_t>(lit)] : nullptr;
  switch (e.chr) {
    case 30:  // up
      Step(-1);
      break;
    case 31:  // down
      Step(1);
      break;
    case 29:  // right
      OpenSubmenuOf(depth, true);
      break;
    case 28:  // left
      if (depth > 0) CloseLevelsAbove(depth);
      break;
    case 3:
    case 13:
      if (it != nullptr && it->submenu) {
        OpenSubmenuOf(depth, true);
      } else if (it != nullptr && Choosable(*it)) {
        Finish(SelectionOf(*level.menu, lit), false);
      }
      break;
    case 27:
      Finish(0, false);
      break;
    default:
      break;
  }
}

void DrawnMenuTracker::Finish(uint32_t selection, bool aborted) {
  if (mDone) return;
  mDone = true;
  mResult.selection = selection;
  mResult.aborted = aborted;
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->QuitModal(this);
}
