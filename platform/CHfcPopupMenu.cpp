#include "platform/CHfcPopupMenu.h"

#include <cstring>

#include "os/Menu.h"
#include "platform/HfcGeometry.h"
#include "platform/HfcGuiHooks.h"

namespace {
constexpr char kCheckMark = 0x12;
}

CHfcPopupMenu::CHfcPopupMenu() = default;

CHfcPopupMenu::~CHfcPopupMenu() = default;

bool CHfcPopupMenu::Create(int menuId, bool flag) {
  if (menu_) return false;
  menu_ = std::make_unique<os::Menu>(menuId);
  created_ = flag;
  return true;
}

bool CHfcPopupMenu::Load(int resourceId) {
  if (menu_) return false;
  menu_ = os::Menu::Load(resourceId);
  return menu_ != nullptr;
}

bool CHfcPopupMenu::LoadFromNib(char* nibName, char* menuName) {
  if (menu_ || !nibName || !menuName) return false;
  menu_ = os::Menu::Load(nibName, menuName);
  return menu_ != nullptr;
}

bool CHfcPopupMenu::Destroy() {
  if (!menu_) return false;
  menu_.reset();
  return true;
}

os::Menu* CHfcPopupMenu::ItemMenu(int index) {
  if (!menu_ || index < 0 || static_cast<size_t>(index) >= menu_->items().size()) return nullptr;
  return menu_.get();
}

bool CHfcPopupMenu::InsertItem(int index, int commandId, const char* text, unsigned int flags) {
  if (!menu_ || !text) return false;
  os::Menu::Item item;
  item.text = text;
  item.command = commandId;
  item.refCon = commandId;
  item.separator = (flags & kItemSeparator) != 0;
  item.enabled = (flags & kItemDisabled) == 0;
  item.literal = !item.separator;
  menu_->Insert(index, std::move(item));
  return true;
}

bool CHfcPopupMenu::DeleteItem(int index) {
  os::Menu* m = ItemMenu(index);
  if (!m) return false;
  m->items().erase(m->items().begin() + index);
  return true;
}

bool CHfcPopupMenu::RenameItem(int index, const char* text) {
  os::Menu* m = ItemMenu(index);
  if (!m || !text) return false;
  m->items()[static_cast<size_t>(index)].text = text;
  return true;
}

bool CHfcPopupMenu::GetItemText(int index, char* buffer, int size) {
  os::Menu* m = ItemMenu(index);
  if (!m || !buffer || size <= 0) return false;
  const std::string& text = m->items()[static_cast<size_t>(index)].text;
  const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return true;
}

bool CHfcPopupMenu::EnableItem(int index, bool on) {
  os::Menu* m = ItemMenu(index);
  if (!m) return false;
  m->items()[static_cast<size_t>(index)].enabled = on;
  return true;
}

void CHfcPopupMenu::EnableAllItems(bool on) {
  if (!menu_) return;
  for (auto& item : menu_->items()) item.enabled = on;
}

bool CHfcPopupMenu::IsItemEnabled(int index) {
  os::Menu* m = ItemMenu(index);
  return m && m->items()[static_cast<size_t>(index)].enabled;
}

bool CHfcPopupMenu::CheckItem(int index, bool on) {
  os::Menu* m = ItemMenu(index);
  if (!m) return false;
  m->items()[static_cast<size_t>(index)].mark = on ? kCheckMark : 0;
  return true;
}

void CHfcPopupMenu::CheckAllItems(bool on) {
  if (!menu_) return;
  for (auto& item : menu_->items()) item.mark = on ? kCheckMark : 0;
}

bool CHfcPopupMenu::IsItemChecked(int index) {
  os::Menu* m = ItemMenu(index);
  return m && m->items()[static_cast<size_t>(index)].mark != 0;
}

int CHfcPopupMenu::GetItemId(int index) {
  os::Menu* m = ItemMenu(index);
  return m ? static_cast<int>(m->items()[static_cast<size_t>(index)].refCon) : 0;
}

bool CHfcPopupMenu::SetItemId(int index, int id) {
  os::Menu* m = ItemMenu(index);
  if (!m) return false;
  m->items()[static_cast<size_t>(index)].command = id;
  m->items()[static_cast<size_t>(index)].refCon = id;
  return true;
}

int CHfcPopupMenu::GetNumItems() { return menu_ ? static_cast<int>(menu_->items().size()) : 0; }

bool CHfcPopupMenu::SetSubMenu(int index, CHfcPopupMenu* sub) {
  os::Menu* m = ItemMenu(index);
  // A submenu is told apart in a choice by its id, so it needs its own.
  if (!m || !sub || sub == this || !sub->menu_ || sub->menu_->id() == 0) return false;
  m->items()[static_cast<size_t>(index)].submenu = sub->menu_.get();
  return true;
}

int CHfcPopupMenu::Track(int x, int y, CHfcWindow* window, int item, bool byId,
                         bool releaseFirst) {
  abort_ = false;
  if (!menu_) return 0;
  tagHfcPoint p{x, y};
  HfcWindowLocalToGlobal(window, &p);
  if (releaseFirst) HfcReleaseMouseCapture();
  const os::Menu::TrackResult r = menu_->Track(p.x, p.y, item);
  if (r.aborted) abort_ = true;
  if (!releaseFirst) HfcReleaseMouseCapture();
  if (abort_ || !menu_) return -1;
  if (!byId) return static_cast<int>(r.selection) - 1;
  if (r.selection == 0) return 0;
  const int menuId = static_cast<int>(r.selection >> 16);
  const int number = static_cast<int>(r.selection & 0xFFFF);
  os::Menu* chosen = menu_->FindById(menuId);
  if (!chosen || number < 1 || static_cast<size_t>(number) > chosen->items().size()) return 0;
  return static_cast<int>(chosen->items()[static_cast<size_t>(number - 1)].refCon);
}

int CHfcPopupMenu::TrackPopup(int x, int y, void* window, int item) {
  return Track(x, y, nullptr, item + 1, false, false);
}

int CHfcPopupMenu::TrackPopup(int x, int y, CHfcWindow* window, int item) {
  return Track(x, y, window, item + 1, false, true);
}

int CHfcPopupMenu::TrackPopup(int x, int y, decltype(nullptr), int item) {
  return TrackPopup(x, y, static_cast<CHfcWindow*>(nullptr), item);
}

int CHfcPopupMenu::TrackPopupById(int x, int y, CHfcWindow* window, int item) {
  return Track(x, y, window, item, true, true);
}

void CHfcPopupMenu::Abort() {
  abort_ = true;
  os::Menu::CancelTracking();
}
