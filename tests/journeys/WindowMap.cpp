#include "tests/journeys/WindowMap.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

#include "editor/browsers/BlueBrowserBase.h"
#include "editor/browsers/ListBrowserBase.h"
#include "editor/browsers/ModalBrowsers.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CMMPCtrlKnob.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/DrawnFileDialog.h"
#include "editor/controls/DrawnMenuTracker.h"
#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/EditTabPageLayerBase.h"
#include "editor/shell/MenuItemInfo.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "hfc/CHfcCtrlKeyboard.h"
#include "host/EditorWindow.h"
#include "host/SettingsWindow.h"
#include "host/StandaloneApp.h"
#include "os/Alert.h"
#include "os/Menu.h"
#include "os/window/HeadlessWindow.h"
#include "tests/support/pageharness/PageHarness.h"
#include "tests/support/rootharness/RealPagesRoot.h"

namespace vesk::journey {

namespace {

const std::string kProgramName = "Vesk Editor";

[[noreturn]] void Missing(const std::string& what) { throw std::runtime_error("the window has no " + what); }

const EditorWindow::MenuDef& MenuNamed(const std::vector<EditorWindow::MenuDef>& menus, const std::string& title) {
  for (const auto& m : menus)
    if (m.title == title) return m;
  Missing("menu \"" + title + "\"");
}

}  // namespace

WindowMap::WindowMap(eMode mode) {
  vesk::test::PageHarness::Options o;
  o.programMode = false;
  harness_ = std::make_unique<vesk::test::PageHarness>(o);
  root_ = std::make_unique<vesk::test::RealPagesRoot>(*harness_);
  if (!root_->Open()) Missing("root layer");
  ToMode(mode);
}

WindowMap::~WindowMap() = default;

void WindowMap::ToMode(eMode mode) { root_->ToMode(mode); }

Point WindowMap::Middle(const CHfcWindowLayer& layer, const CHfcControl& c) {
  const auto [x, y] = vesk::test::PageHarness::MiddleOf(layer, c);
  return {x, y};
}

Point WindowMap::Panel(int id) {
  CHfcControl* c = root_->get()->GetControlById(id);
  if (!c) Missing("panel control " + std::to_string(id));
  return Middle(*root_->get(), *c);
}

CTabControl& WindowMap::Strip(int guiMode) {
  CTabControl* strip = root_->get()->GetMainTab(guiMode);
  if (!strip) Missing("tab strip of mode " + std::to_string(guiMode));
  return *strip;
}

Point WindowMap::TabOf(const CHfcWindowLayer& layer, const CTabControl& tabs, int index) {
  // The tab's extent, from the strip's own hit test.
  const tagHfcRect& f = tabs.GetFrame();
  int from = INT_MAX, to = INT_MIN;
  for (int x = 0; x < f.right - f.left; ++x) {
    int hit = -1;
    if (tabs.HitTest(x, 12, hit) == 1 && hit == index) {
      from = std::min(from, x);
      to = std::max(to, x);
    }
  }
  if (from > to) Missing("tab " + std::to_string(index));
  return {layer.GetRect().left + f.left + (from + to) / 2, layer.GetRect().top + f.top + 12};
}

Point WindowMap::MainTab(int guiMode, int index) { return TabOf(*root_->get(), Strip(guiMode), index); }

Point WindowMap::SubTab(int guiMode, int page, int index) {
  auto* layer = dynamic_cast<CTabPageLayer*>(Strip(guiMode).GetTabPageLayer(page));
  if (!layer || !layer->GetSublevelTabControl()) Missing("sub-tabs on page " + std::to_string(page));
  return TabOf(*layer, *layer->GetSublevelTabControl(), index);
}

CHfcControl& WindowMap::ControlOnPage(int guiMode, int page, int id, CHfcWindowLayer** holder) {
  auto* layer = dynamic_cast<CTabPageLayer*>(Strip(guiMode).GetTabPageLayer(page));
  CHfcControl* c = layer ? layer->GetControlById(id) : nullptr;
  // Or on the sub-tab's page shown.
  if (!c && layer && layer->GetSublevelTabControl()) {
    layer = dynamic_cast<CTabPageLayer*>(layer->GetSublevelTabControl()->GetActivePage());
    c = layer ? layer->GetControlById(id) : nullptr;
  }
  if (!c) Missing("control " + std::to_string(id) + " on page " + std::to_string(page));
  *holder = layer;
  return *c;
}

Point WindowMap::OnPage(int guiMode, int page, int id) {
  CHfcWindowLayer* layer = nullptr;
  const CHfcControl& c = ControlOnPage(guiMode, page, id, &layer);
  return Middle(*layer, c);
}

Point WindowMap::ValueFieldOnPage(int guiMode, int page, int id) {
  CHfcWindowLayer* layer = nullptr;
  auto* knob = dynamic_cast<CMMPCtrlKnob*>(&ControlOnPage(guiMode, page, id, &layer));
  if (!knob) Missing("knob " + std::to_string(id) + " on page " + std::to_string(page));
  // The knob's own test of where its value is shown.
  const tagHfcRect& f = knob->GetFrame();
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  for (int y = 0; y < f.bottom - f.top; ++y)
    for (int x = 0; x < f.right - f.left; ++x)
      if (knob->IsDisplayArea(x, y)) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  if (left > right) Missing("value field on knob " + std::to_string(id));
  return {layer->GetRect().left + f.left + (left + right) / 2, layer->GetRect().top + f.top + (top + bottom) / 2};
}

Point WindowMap::OpenPicker(eMode mode, int guiMode, int page, int id) {
  root_->get()->SelectEditTabPage(mode, page, -1);
  for (int i = 0; i < 4; ++i) harness_->Idle(20);
  const Point at = OnPage(guiMode, page, id);
  harness_->Click(at.x, at.y);
  harness_->Idle();
  harness_->Idle();
  return at;
}

Point WindowMap::OpenSoundBrowser() {
  const Point at = Panel(OskendBackgroundLayer::kIdSoundName);
  harness_->Click(at.x, at.y);
  harness_->Idle();
  harness_->Idle();
  return at;
}

namespace {

// The open list picker or sound browser; its list and its OK and Cancel
// ids.
struct PickerOpen {
  CTabPageLayer* page = nullptr;
  CMMPCtrlList* list = nullptr;
  int ok = 0, cancel = 0;
};

PickerOpen OpenPickerOf(OskendBackgroundLayer& root) {
  auto* browsers = static_cast<ModalBrowsers*>(root.GetModalBrowsers());
  CTabPageLayer* page = browsers && browsers->IsOpen() ? browsers->GetOpener().GetPage() : nullptr;
  if (auto* p = dynamic_cast<ListBrowserBase*>(page)) return {p, p->GetList(), ListBrowserBase::kOkId, ListBrowserBase::kCancelId};
  if (auto* b = dynamic_cast<BlueBrowserBase*>(page)) return {b, b->GetList(), BlueBrowserBase::kOkId, BlueBrowserBase::kCancelId};
  return {};
}

}  // namespace

Point WindowMap::PickerRow(int index) {
  const PickerOpen open = OpenPickerOf(*root_->get());
  CTabPageLayer* picker = open.page;
  CMMPCtrlList* list = open.list;
  if (!list) Missing("picker with a list");
  const tagHfcRect& f = list->GetFrame();
  const int x = (f.right - f.left) / 2;
  for (int y = 0; y < f.bottom - f.top; ++y) {
    int dx = 0, dy = 0;
    const int view = list->PointToViewIndex(x, y, &dx, &dy);
    if (view >= 0 && list->ViewIndexToIndex(view) == index)
      return {picker->GetRect().left + f.left + x, picker->GetRect().top + f.top + y + static_cast<int>(list->GetCellHeight()) / 2};
  }
  Missing("row " + std::to_string(index) + " in the picker");
}

Point WindowMap::PickerButton(bool ok) {
  const PickerOpen open = OpenPickerOf(*root_->get());
  CHfcControl* button = open.page ? open.page->GetControlById(ok ? open.ok : open.cancel) : nullptr;
  if (!button) Missing(std::string(ok ? "OK" : "Cancel") + " in the picker");
  return Middle(*open.page, *button);
}

Point WindowMap::PickerOk() { return PickerButton(true); }

Point WindowMap::PickerCancel() { return PickerButton(false); }

Point WindowMap::WhiteKey(int whiteKey) {
  auto* keys = dynamic_cast<CHfcCtrlKeyboard*>(root_->get()->GetControlById(OskendBackgroundLayer::kIdKeyboard));
  if (!keys) Missing("keyboard");
  // Low on the keys, where only white keys are; each run of one key index
  // is one white key.
  const tagHfcRect& f = keys->GetFrame();
  const int y = (f.bottom - f.top) * 7 / 8;
  int seen = -1, last = -2, from = 0;
  for (int x = 0; x < f.right - f.left; ++x) {
    const int key = keys->GetNoteByPosition(x, y);
    if (key == last) continue;
    if (seen == whiteKey) return {root_->get()->GetRect().left + f.left + (from + x - 1) / 2,
                                  root_->get()->GetRect().top + f.top + y};
    last = key;
    from = x;
    if (key >= 0) ++seen;
  }
  Missing("white key " + std::to_string(whiteKey));
}

Point WindowMap::ItemOf(const std::vector<std::string>& texts, const std::string& item) {
  // Laid out as the program lays its menus out (an empty text a separator).
  os::Menu menu(1);
  int index = -1;
  for (const std::string& text : texts) {
    os::Menu::Item shown;
    shown.text = text;
    shown.separator = text.empty();
    if (text == item && index < 0) index = static_cast<int>(menu.items().size());
    menu.items().push_back(shown);
  }
  if (index < 0) Missing("item \"" + item + "\" in a menu");
  return {DrawnMenuTracker::kPadding + 20, DrawnMenuTracker::ItemTop(menu, index) + DrawnMenuTracker::kItemHeight / 2};
}

Point WindowMap::UtilityItem(int guiMode, const std::string& text) {
  auto* page = dynamic_cast<EditTabPageLayerBase*>(Strip(guiMode).GetActivePage());
  if (!page) Missing("page with a UTILITY menu");
  std::list<MenuItemInfo> items;
  page->GetMenuItemInfoList(items);
  std::vector<std::string> texts;
  for (const MenuItemInfo& i : OskendBackgroundLayer::MenuItemsShown(items))
    texts.push_back(i.id == MenuItemInfo::kIdSeparator ? std::string() : i.title);
  return ItemOf(texts, text);
}

Point WindowMap::MenuTitle(const std::string& title) {
  const auto menus = StandaloneApp::MenuDefinitions(kProgramName);
  EditorWindow window;
  EditorWindow::SetWindowMaker([](int w, int h, const std::string&) -> std::unique_ptr<os::Window> {
    return os::HeadlessWindow::Create(w, h);
  });
  const bool made = window.createEditWindow(kProgramName);
  EditorWindow::SetWindowMaker(nullptr);
  if (!made) Missing("menu strip");
  window.getEditWindow()->Resize(vesk::test::PageHarness::kWidth, vesk::test::PageHarness::kHeight);
  window.SetMenus(menus, nullptr, nullptr);
  int index = 0;
  while (index < static_cast<int>(menus.size()) && menus[index].title != title) ++index;
  int from = INT_MAX, to = INT_MIN;
  for (int x = 0; x < vesk::test::PageHarness::kWidth; ++x)
    if (window.MenuTitleAt(x, EditorWindow::kMenuHeight / 2) == index) {
      from = std::min(from, x);
      to = std::max(to, x);
    }
  if (from > to) Missing("menu title \"" + title + "\"");
  return {(from + to) / 2, EditorWindow::kMenuHeight / 2};
}

Point WindowMap::MenuItem(const std::string& title, const std::string& item) {
  const auto menus = StandaloneApp::MenuDefinitions(kProgramName);
  std::vector<std::string> texts;
  for (const auto& i : MenuNamed(menus, title).items) texts.push_back(i.command == 0 ? std::string() : i.text);
  return ItemOf(texts, item);
}

Point WindowMap::SettingsButton(const std::string& label) {
  for (const auto& p : SettingsWindow::Layout())
    if (p.kind == SettingsWindow::Kind::kButton && label == p.label) return {p.x + p.w / 2, p.y + p.h / 2};
  Missing("Settings button \"" + label + "\"");
}

Point WindowMap::FileDialogButton(const std::string& label) {
  using D = DrawnFileDialog;
  if (label != os::Alert::kOkText && label != os::Alert::kCancelText) Missing("file dialog button \"" + label + "\"");
  return {(label == os::Alert::kOkText ? D::kOkLeft : D::kCancelLeft) + D::kButtonWidth / 2, D::kButtonTop + D::kButtonHeight / 2};
}

Point WindowMap::FileDialogRow(int row) {
  using D = DrawnFileDialog;
  if (row < 0 || row >= D::kRows) Missing("row " + std::to_string(row) + " in the file dialog");
  return {D::kListLeft + 40, D::kListTop + row * D::kRowHeight + D::kRowHeight / 2};
}

Point WindowMap::FileDialogTypePopUp() {
  using D = DrawnFileDialog;
  return {D::kPopupLeft + D::kPopupWidth / 2, D::kFieldTop + D::kFieldHeight / 2};
}

Point WindowMap::FileDialogType(const std::string& description) {
  std::vector<FiletypeInfo> types;
  OskendBackgroundLayer::MakeFileTypeInfoArray(types, harness_->synth());
  std::vector<std::string> texts;
  for (const FiletypeInfo& t : types) texts.push_back(t.description);
  return ItemOf(texts, description);
}

int WindowMap::SettingsWidth() { return SettingsWindow::kWidth; }
int WindowMap::SettingsHeight() { return SettingsWindow::kHeight; }

}  // namespace vesk::journey
