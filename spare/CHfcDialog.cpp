#include "spare/CHfcDialog.h"

#include <cstring>

#include "os/DialogTemplate.h"

CHfcDialog::CHfcDialog() = default;
CHfcDialog::~CHfcDialog() = default;

os::DialogItem* CHfcDialog::ItemAt(int item) {
  if (!template_ || item < 1 || item > static_cast<int>(template_->items.size())) return nullptr;
  return &template_->items[static_cast<size_t>(item - 1)];
}

bool CHfcDialog::Create(int resID, CHfcWindow* parent) {
  if (template_) return false;
  highestModalItem_ = 2;
  std::optional<os::DialogTemplate> t = os::DialogTemplates::Load(resID);
  if (!t) return false;
  template_ = std::make_unique<os::DialogTemplate>(std::move(*t));
  resID_ = resID;
  parent_ = parent;
  return true;
}

bool CHfcDialog::Destroy() {
  if (!template_) return false;
  template_.reset();
  resID_ = 0;
  parent_ = nullptr;
  return true;
}

int CHfcDialog::DoModal() {
  if (!template_) return 0;
  filterActive_ = true;
  endedWith_ = 0;
  int hit = 0;
  do {
    hit = endedWith_ ? endedWith_ : os::ModalDialogHits::Next(1);
  } while (hit < 1 || hit > highestModalItem_);
  filterActive_ = false;
  return hit;
}

bool CHfcDialog::SetTitle(const char* title) {
  if (!template_) return false;
  template_->title = title ? title : "";
  return true;
}

const std::string* CHfcDialog::GetTitle() const { return template_ ? &template_->title : nullptr; }

bool CHfcDialog::GetItemText(int item, char* dst, int len) {
  if (!template_) return false;
  if (os::DialogItem* it = ItemAt(item); it && dst && len > 0) std::strncpy(dst, it->text.c_str(), static_cast<size_t>(len));
  return true;
}

bool CHfcDialog::SetItemText(int item, const char* text) {
  if (os::DialogItem* it = ItemAt(item)) it->text = text ? text : "";
  return false;
}

int CHfcDialog::GetItemValue(int item) {
  os::DialogItem* it = ItemAt(item);
  return it && it->HasControl() ? it->value : 0;
}

int CHfcDialog::GetItemValueMin(int item) {
  os::DialogItem* it = ItemAt(item);
  return it && it->HasControl() ? it->minimum : 0;
}

int CHfcDialog::GetItemValueMax(int item) {
  os::DialogItem* it = ItemAt(item);
  return it && it->HasControl() ? it->maximum : 0;
}

bool CHfcDialog::SetItemValue(int item, int value) {
  os::DialogItem* it = ItemAt(item);
  if (!it || !it->HasControl()) return false;
  it->value = value;
  return true;
}

bool CHfcDialog::SetItemValueMin(int item, int value) {
  os::DialogItem* it = ItemAt(item);
  if (!it || !it->HasControl()) return false;
  it->minimum = value;
  return true;
}

bool CHfcDialog::SetItemValueMax(int item, int value) {
  os::DialogItem* it = ItemAt(item);
  if (!it || !it->HasControl()) return false;
  it->maximum = value;
  return true;
}

bool CHfcDialog::MacModalFilterProc(const tagHfcAppEvent*, short*) { return false; }

int CHfcDialog::OnMacEvent(const tagHfcAppEvent& event) {
  if (event.eventClass == HfcFourCC("cmds") && event.kind == 1) {
    if (event.command == HfcFourCC("ok  ")) {
      endedWith_ = 1;
      return 0;
    }
    if (event.command == HfcFourCC("not!")) {
      endedWith_ = 2;
      return 0;
    }
  }
  return kHfcEventNotHandledErr;
}
