#include "spare/CHfcMenu.h"

#include <algorithm>
#include <cstring>

#include "os/Menu.h"

CHfcMenu::CHfcMenu() = default;
CHfcMenu::~CHfcMenu() = default;

void* CHfcMenu::Item(int item) {
  if (!menu_ || item < 1 || item > static_cast<int>(menu_->items().size())) return nullptr;
  return &menu_->items()[static_cast<size_t>(item - 1)];
}

bool CHfcMenu::Load(int resID) {
  if (menu_) return false;
  menu_ = os::Menu::Load(resID);
  return menu_ != nullptr;
}

bool CHfcMenu::Create(int id, const char* title) {
  if (menu_) return false;
  menu_ = std::make_unique<os::Menu>(id);
  title_ = title ? title : "";
  return true;
}

bool CHfcMenu::Destroy() {
  if (!menu_) return false;
  menu_.reset();
  title_.clear();
  return true;
}

bool CHfcMenu::CheckItem(int item, bool checked) {
  if (!menu_) return false;
  if (auto* it = static_cast<os::Menu::Item*>(Item(item))) it->mark = checked ? '\x12' : 0;
  return true;
}

bool CHfcMenu::SetItemText(int item, const char* text) {
  if (auto* it = static_cast<os::Menu::Item*>(Item(item))) it->text = text ? text : "";
  return false;
}

// The text and its terminator; the caller's buffer holds a menu item's
// text (at most 255 characters).
bool CHfcMenu::GetItemText(int item, char* dst) {
  if (!dst) return false;
  if (auto* it = static_cast<os::Menu::Item*>(Item(item))) {
    const size_t n = std::min<size_t>(it->text.size(), 255);
    std::memcpy(dst, it->text.data(), n);
    dst[n] = '\0';
  }
  return false;
}

bool CHfcMenu::EnableItem(int item) {
  if (auto* it = static_cast<os::Menu::Item*>(Item(item))) it->enabled = true;
  return false;
}

bool CHfcMenu::DisableItem(int item) {
  if (auto* it = static_cast<os::Menu::Item*>(Item(item))) it->enabled = false;
  return false;
}

bool CHfcMenu::IsItemEnabled(int item) {
  auto* it = static_cast<os::Menu::Item*>(Item(item));
  return it && it->enabled;
}
