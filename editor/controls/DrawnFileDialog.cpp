#include "editor/controls/DrawnFileDialog.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "os/Alert.h"
#include "os/FinderInfo.h"
#include "os/Lock.h"
#include "os/MainLoop.h"
#include "os/Menu.h"

namespace fs = std::filesystem;

namespace {

constexpr int kListWidth = DrawnFileDialog::kWidth - 32;
constexpr int kNameLeft = DrawnFileDialog::kPopupLeft + DrawnFileDialog::kPopupWidth + 12;
constexpr int kNameWidth = DrawnFileDialog::kWidth - 16 - kNameLeft;
constexpr int kFileTypeMenuId = 0x7F01;

os::Lock g_folderMutex;
std::string g_folder;

std::string StartFolder() {
  std::lock_guard<os::Lock> g(g_folderMutex);
  if (!g_folder.empty()) return g_folder;
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != 0) return home;
  std::error_code ec;
  return fs::current_path(ec).string();
}

bool Less(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

void DrawnFileDialog::SetStartFolder(const std::string& folder) {
  std::lock_guard<os::Lock> g(g_folderMutex);
  g_folder = folder;
}

bool DrawnFileDialog::Run(const Options& options, Client& client) {
  os::MainLoop* loop = os::MainLoop::Current();
  if (mRunning || loop == nullptr) return false;
  mOptions = options;
  mClient = &client;
  mReply = Reply{};
  mReply.saveFileName = options.saveFileName;
  mFileType = 0;
  mAction = kActionNone;
  WindowPlacement placement;
  placement.x = 180;
  placement.y = 120;
  placement.width = kWidth;
  placement.height = kHeight;
  placement.title = !options.title.empty() ? options.title : options.clientName;
  if (!Open(placement)) return false;
  mRunning = true;
  client.OnStart();
  List(StartFolder());
  loop->RunModal(this);
  mRunning = false;
  if (mAction == kActionOpen) {
    mReply.valid = true;
    mReply.selection = {(fs::path(mFolder) / mEntries[static_cast<size_t>(mSelected)].name).string()};
  } else if (mAction == kActionSaveAs) {
    mReply.valid = true;
    mReply.selection = {mFolder};
  }
  {
    std::lock_guard<os::Lock> g(g_folderMutex);
    g_folder = mFolder;
  }
  Close();
  const int action = mAction;
  client.OnUserAction(action);
  // The client may destroy this dialog in its last call.
  client.OnTerminate();
  return true;
}

void DrawnFileDialog::SelectFileType(int index) {
  if (!mRunning || index < 0 || index >= static_cast<int>(mOptions.fileTypes.size())) return;
  mFileType = index;
  Redraw();
}

void DrawnFileDialog::SetSaveFileName(const std::string& name) {
  if (!mRunning) return;
  mReply.saveFileName = name;
  Redraw();
}

std::vector<std::string> DrawnFileDialog::ListedNames() const {
  std::vector<std::string> names;
  for (const Entry& e : mEntries) names.push_back(e.name);
  return names;
}

void DrawnFileDialog::List(const std::string& folder) {
  mFolder = fs::path(folder).lexically_normal().string();
  if (mFolder.size() > 1 && mFolder.back() == '/') mFolder.pop_back();
  std::vector<Entry> folders;
  std::vector<Entry> files;
  std::error_code ec;
  for (fs::directory_iterator it(mFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code kindError;
    const bool isFolder = it->is_directory(kindError);
    const std::string path = it->path().string();
    if (!isFolder && !mOptions.filterTypes.empty()) {
      // Files that carry no type of their own (most on this platform) stay
      // listed; a file typed otherwise is left out.
      uint32_t type = 0;
      uint32_t creator = 0;
      if (os::GetFinderInfo(path, &type, &creator) && type != 0 &&
          std::find(mOptions.filterTypes.begin(), mOptions.filterTypes.end(), type) ==
              mOptions.filterTypes.end())
        continue;
    }
    if (mClient != nullptr && !mClient->OnFilter(path, isFolder)) continue;
    (isFolder ? folders : files).push_back({name, isFolder});
  }
  auto byName = [](const Entry& a, const Entry& b) { return Less(a.name, b.name); };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);
  mEntries.clear();
  if (fs::path(mFolder).has_parent_path() && fs::path(mFolder) != fs::path(mFolder).root_path())
    mEntries.push_back({"..", true});
  mEntries.insert(mEntries.end(), folders.begin(), folders.end());
  mEntries.insert(mEntries.end(), files.begin(), files.end());
  mSelected = -1;
  mTop = 0;
  Redraw();
}

void DrawnFileDialog::Paint() {
  const std::string heading = !mOptions.message.empty() ? mOptions.message : mOptions.title;
  Text(16, 12, Fit(heading, BoldFont(), kWidth - 32), BoldFont(), kText);
  // The folder, its end kept visible when it is long.
  std::string shown = mFolder;
  while (shown.size() > 1 && TextWidth(shown, PlainFont()) > kWidth - 32)
    shown = "..." + shown.substr(std::min<size_t>(shown.size(), 4));
  Text(16, 44, shown, PlainFont(), kAmber);

  Fill(kListLeft, kListTop, kListWidth, kRows * kRowHeight, kPanelLight);
  for (int row = 0; row < kRows; ++row) {
    const int index = mTop + row;
    if (index >= static_cast<int>(mEntries.size())) break;
    const Entry& e = mEntries[static_cast<size_t>(index)];
    const int top = kListTop + row * kRowHeight;
    const bool lit = index == mSelected;
    if (lit) Fill(kListLeft + 1, top, kListWidth - 2, kRowHeight, kAmber);
    const uint32_t ink = lit ? kPanel : kText;
    if (e.isFolder) {
      // A folder: a small tabbed box.
      const uint32_t mark = lit ? kPanel : kAmber;
      Fill(kListLeft + 6, top + 5, 5, 2, mark);
      Fill(kListLeft + 6, top + 7, 12, 7, mark);
    }
    const int textTop = top + (kRowHeight - LineHeight(PlainFont())) / 2;
    Text(kListLeft + 24, textTop, Fit(e.name, PlainFont(), kListWidth - 32), PlainFont(), ink);
  }
  Frame(kListLeft, kListTop, kListWidth, kRows * kRowHeight, kFrame);
  const int count = static_cast<int>(mEntries.size());
  if (count > kRows) {
    // Where the rows shown lie in the whole list.
    const int track = kRows * kRowHeight - 4;
    const int h = std::max(8, track * kRows / count);
    const int y = kListTop + 2 + (track - h) * mTop / (count - kRows);
    Fill(kListLeft + kListWidth - 5, y, 3, h, kFrame);
  }

  if (!mOptions.fileTypes.empty()) {
    Fill(kPopupLeft, kFieldTop, kPopupWidth, kFieldHeight, kPanelLight);
    Frame(kPopupLeft, kFieldTop, kPopupWidth, kFieldHeight, kFrame);
    const std::string& type = mOptions.fileTypes[static_cast<size_t>(mFileType)];
    Text(kPopupLeft + 6, kFieldTop + (kFieldHeight - LineHeight(PlainFont())) / 2,
         Fit(type, PlainFont(), kPopupWidth - 24), PlainFont(), kText);
    for (int d = 0; d < 4; ++d) Fill(kPopupLeft + kPopupWidth - 14 + d, kFieldTop + 8 + d, 8 - 2 * d, 1, kAmber);
  }
  if (Saving()) {
    Fill(kNameLeft, kFieldTop, kNameWidth, kFieldHeight, kPanel);
    Frame(kNameLeft, kFieldTop, kNameWidth, kFieldHeight, kAmber);
    const std::string name = mReply.saveFileName;
    std::string visible = name;
    while (!visible.empty() && TextWidth(visible, PlainFont()) > kNameWidth - 12) visible.erase(0, 1);
    const int textTop = kFieldTop + (kFieldHeight - LineHeight(PlainFont())) / 2;
    Text(kNameLeft + 5, textTop, visible, PlainFont(), kText);
    Fill(kNameLeft + 6 + TextWidth(visible, PlainFont()), kFieldTop + 4, 1, kFieldHeight - 8, kAmber);
  }
  const bool canAccept =
      Saving() ? !mReply.saveFileName.empty() : mSelected >= 0;
  Button(kCancelLeft, kButtonTop, kButtonWidth, kButtonHeight, os::Alert::kCancelText, false, true,
         PressedButton() == 2);
  Button(kOkLeft, kButtonTop, kButtonWidth, kButtonHeight, os::Alert::kOkText, true, canAccept,
         PressedButton() == 1);
}

void DrawnFileDialog::Select(int index) {
  const int count = static_cast<int>(mEntries.size());
  if (count == 0) return;
  mSelected = std::clamp(index, 0, count - 1);
  if (mSelected < mTop) mTop = mSelected;
  if (mSelected >= mTop + kRows) mTop = mSelected - kRows + 1;
  Redraw();
}

void DrawnFileDialog::Activate(int index) {
  if (index < 0 || index >= static_cast<int>(mEntries.size())) return;
  const Entry e = mEntries[static_cast<size_t>(index)];
  if (e.isFolder) {
    List(e.name == ".." ? fs::path(mFolder).parent_path().string()
                        : (fs::path(mFolder) / e.name).string());
  } else if (Saving()) {
    mReply.saveFileName = e.name;
    Redraw();
  } else {
    Finish(kActionOpen);
  }
}

void DrawnFileDialog::Accept() {
  if (Saving()) {
    if (!mReply.saveFileName.empty()) Finish(kActionSaveAs);
    return;
  }
  if (mSelected < 0) return;
  if (mEntries[static_cast<size_t>(mSelected)].isFolder) {
    Activate(mSelected);
  } else {
    Finish(kActionOpen);
  }
}

void DrawnFileDialog::Finish(int action) {
  if (mAction != kActionNone) return;
  mAction = action;
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->QuitModal(this);
}

void DrawnFileDialog::ChooseFileType() {
  os::Menu menu(kFileTypeMenuId);
  for (size_t i = 0; i < mOptions.fileTypes.size(); ++i) {
    os::Menu::Item item;
    item.text = mOptions.fileTypes[i];
    item.literal = true;
    item.mark = static_cast<int>(i) == mFileType ? 1 : 0;
    menu.items().push_back(item);
  }
  const os::WindowPoint origin = window()->ScreenOrigin();
  // The dialog hears nothing while the menu is up.
  mInMenu = true;
  const auto result = menu.Track(origin.x + kPopupLeft, origin.y + kFieldTop, mFileType + 1);
  mInMenu = false;
  if (result.selection == 0 || (result.selection >> 16) != kFileTypeMenuId) return;
  const int index = static_cast<int>(result.selection & 0xFFFF) - 1;
  if (index < 0 || index >= static_cast<int>(mOptions.fileTypes.size())) return;
  mFileType = index;
  if (mClient != nullptr) mClient->OnFileTypeSelected(index);
  // The client may filter differently now.
  const int top = mTop;
  List(mFolder);
  mTop = std::min(top, std::max(0, static_cast<int>(mEntries.size()) - kRows));
  Redraw();
}

void DrawnFileDialog::OnWindowMouse(const os::MouseEvent& e) {
  if (mAction != kActionNone || mInMenu) return;
  if (e.kind == os::MouseEvent::Kind::kWheel) {
    const int most = std::max(0, static_cast<int>(mEntries.size()) - kRows);
    mTop = std::clamp(mTop - e.wheelDelta * 3, 0, most);
    Redraw();
    return;
  }
  auto buttonAt = [](int x, int y) {
    if (Inside(x, y, kOkLeft, kButtonTop, kButtonWidth, kButtonHeight)) return 1;
    if (Inside(x, y, kCancelLeft, kButtonTop, kButtonWidth, kButtonHeight)) return 2;
    return 0;
  };
  const int chosen = PressButtons(e, buttonAt);
  if (chosen == 1) Accept();
  if (chosen == 2) Finish(kActionCancel);
  if (e.button != os::MouseButton::kLeft || e.kind != os::MouseEvent::Kind::kDown ||
      PressedButton() != 0)
    return;
  if (Inside(e.x, e.y, kListLeft, kListTop, kListWidth, kRows * kRowHeight)) {
    const int index = mTop + (e.y - kListTop) / kRowHeight;
    if (index >= static_cast<int>(mEntries.size())) return;
    Select(index);
    if (e.clickCount >= 2) Activate(index);
    return;
  }
  if (!mOptions.fileTypes.empty() && Inside(e.x, e.y, kPopupLeft, kFieldTop, kPopupWidth, kFieldHeight))
    ChooseFileType();
}

bool DrawnFileDialog::OnWindowKey(const os::KeyEvent& e) {
  if (e.kind == os::KeyEvent::Kind::kUp || mAction != kActionNone || mInMenu) return true;
  switch (e.chr) {
    case 30:
      Select(mSelected < 0 ? 0 : mSelected - 1);
      return true;
    case 31:
      Select(mSelected + 1);
      return true;
    case 3:
    case 13:
      Accept();
      return true;
    case 27:
      Finish(kActionCancel);
      return true;
    case 8:
      if (Saving() && !mReply.saveFileName.empty()) {
        mReply.saveFileName.pop_back();
        Redraw();
      }
      return true;
    default:
      break;
  }
  // Typed characters go to the name; a slash could not be part of one.
  if (Saving() && e.chr >= 32 && e.chr < 127 && e.chr != '/' && (e.mods & 2) == 0) {
    mReply.saveFileName.push_back(static_cast<char>(e.chr));
    Redraw();
  }
  return true;
}

void DrawnFileDialog::OnWindowClose() {
  if (!mInMenu) Finish(kActionCancel);
}
