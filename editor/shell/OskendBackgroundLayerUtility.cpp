// The root layer's utility menu, the synthesizer commands it runs with
// their confirmation and error boxes, and data-file load and save.
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "editor/controls/CTabControl.h"
#include "editor/shell/EditTabPageLayerBase.h"
#include "editor/shell/EditorIds.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "editor/shell/XEFileSelectDialog.h"
#include "editor/shell/XESaveFileDialog.h"
#include "editor/shell/XESynthUtils.h"
#include "model/SSoundIndex.h"
#include "platform/CHfcOpenFileDialog.h"
#include "platform/CHfcPopupMenu.h"
#include "platform/HfcMessageBox.h"
#include "remote/FTYPE.h"
#include "remote/IRemoteSynth.h"
#include "remote/Persist.h"
#include "remote/RemoteStatus.h"
#include "remote/RemoteSynthCommand.h"

namespace {

using M = MenuItemInfo;

bool NeverShown(int id) {
  return id == M::kIdDrumKitIFXPatch || id == M::kIdNoCommandA || id == M::kIdNoCommandB;
}

bool GreyedWithGM(int id) { return id >= M::kIdReceive1Prog && id <= M::kIdTransmitBankProg; }

}  // namespace

std::vector<MenuItemInfo> OskendBackgroundLayer::MenuItemsShown(
    const std::list<MenuItemInfo>& pageItems) {
  std::vector<MenuItemInfo> shown;
  for (const MenuItemInfo& item : pageItems)
    if (!NeverShown(item.id)) shown.push_back(item);
  if (!pageItems.empty()) shown.push_back(MenuItemInfo::kMenuItemInfo_Separator);
  shown.push_back(MenuItemInfo::kMenuItemInfo_AllSoundOff);
  return shown;
}

void OskendBackgroundLayer::OnUtilitySwitch() {
  if (!m_pRemoteSynth) return;
  CTabControl* strip = GetMainTab(GetGUIMode());
  auto* page = strip ? dynamic_cast<EditTabPageLayerBase*>(strip->GetActivePage()) : nullptr;
  if (!page) return;
  std::list<MenuItemInfo> items;
  page->GetMenuItemInfoList(items);
  const std::vector<MenuItemInfo> shown = MenuItemsShown(items);
  const Oskend::SSoundIndex cur = m_pRemoteSynth->GetCurSound(true);
  const bool gm = XESynthUtils::IsGMBank(m_pRemoteSynth, m_pRemoteSynth->GetSoundMode(), cur.bank);
  CHfcPopupMenu menu;
  menu.Create(0, false);
  int position = 0;
  for (const MenuItemInfo& item : shown) {
    if (item.id == -1) {
      menu.InsertItem(position++, -1, "-", CHfcPopupMenu::kItemSeparator);
      continue;
    }
    unsigned flags = static_cast<unsigned>(item.reserved);
    if (gm && GreyedWithGM(item.id)) flags |= CHfcPopupMenu::kItemDisabled;
    menu.InsertItem(position++, item.id, item.title.c_str(), flags);
  }
  CHfcControl* utility = GetControlById(kIdUtility);
  const tagHfcRect r = utility ? utility->GetFrame() : tagHfcRect{0, 0, 0, 0};
  const int chosen = menu.TrackPopupById(r.left, r.bottom, GetParentWindow(), 0);
  while (menu.GetNumItems() > 0) menu.DeleteItem(0);
  menu.Destroy();
  if (chosen == -1 || chosen == 0) return;
  std::string title;
  for (const MenuItemInfo& item : shown)
    if (item.id == chosen) title = item.title;
  if (chosen == M::kIdAllSoundOff) {
    AllSoundOff();
    return;
  }
  m_pRemoteSynth->BeginUtility();
  OnUtilityItem(chosen, title);
  m_pRemoteSynth->EndUtility(true);
}

void OskendBackgroundLayer::OnUtilityItem(int id, const std::string& title) {
  switch (id) {
    case M::kIdWriteProgram:
    case M::kIdWriteCombination:
      PostCommand(XECommand{XECommand::kOpenWriteDialog, 0, 0, 0});
      return;
    case M::kIdCopyOscillator:
      OpenCopyOSCBrowser();
      return;
    case M::kIdCopyEG:
      OpenCopyEGBrowser();
      return;
    case M::kIdCopyLFO:
      OpenCopyLFOBrowser();
      return;
    case M::kIdCopyInsertEffect:
      OpenCopyIFXBrowser();
      return;
    case M::kIdCopyMFXTFX:
      OpenCopyMFXBrowser();
      return;
    case M::kIdCopyScale:
      OpenCopyScaleBrowser();
      return;
    case M::kIdLoad:
      OpenLoadDialog();
      return;
    case M::kIdSave:
      OpenSaveDialog();
      return;
    case M::kIdSelectAutoLoadFile:
      OpenAutoLoadDialog();
      return;
    default:
      OnRemoteSynthCommand(id, title);
      return;
  }
}

std::string OskendBackgroundLayer::CommandErrorText(const std::string& title,
                                                    unsigned long status) {
  // A command that failed before it reached the link leaves no status.
  if (status == 0)
    return title + " Error\nThe synthesizer is not connected, or the current sound does not allow this.";
  return Oskend::RemoteFailureText(title, static_cast<int>(status));
}

std::string OskendBackgroundLayer::LoadErrorText(int sendFailure) {
  // A MIDI system that ran late is no fault of the file or the instrument:
  // the person learns that, and that trying again may do.
  if (sendFailure == Oskend::kRemoteLate) return "Load Error\n" + Oskend::RemoteStatusReason(sendFailure);
  return "Load Error";
}

bool OskendBackgroundLayer::CommandFor(int id, int mode, int bank, int number,
                                       RemoteCommand* out) {
  using namespace Oskend;
  // A selection is every sound of the mode, its current bank (any number)
  // or its current sound. The flags take every part of it, but a single
  // sound sent is the edit buffer, stored on arrival (bits 0 and 2).
  constexpr int kAny = -1, kAllParts = 255, kEditBufferStored = 5;
  int cmd = 0, a1 = 0, a2 = 0, a3 = 0, a4 = 0;
  auto selection = [&](int command, int b, int n, int flags) {
    cmd = command, a1 = mode, a2 = b, a3 = n, a4 = flags;
  };
  switch (id) {
    case M::kIdSwapOscillator: cmd = kCmdSwapOscillators; break;
    case M::kIdSwapLFO1: cmd = kCmdSwapLFOsOfOSC1; break;
    case M::kIdSwapLFO2: cmd = kCmdSwapLFOsOfOSC2; break;
    case M::kIdReceiveAll: cmd = kCmdReceiveAll; break;
    case M::kIdTransmitAll: cmd = kCmdTransmitAll; break;
    case M::kIdReceiveProg: case M::kIdReceiveCombi: selection(kCmdRequestSelection, kAny, kAny, kAllParts); break;
    case M::kIdTransmitProg: case M::kIdTransmitCombi: selection(kCmdSendSelection, kAny, kAny, kAllParts); break;
    case M::kIdReceive1Prog: case M::kIdReceive1Combi:
      selection(kCmdRequestSelection, bank, number, kAllParts);
      break;
    case M::kIdTransmit1Prog: case M::kIdTransmit1Combi:
      selection(kCmdSendSelection, bank, number, kEditBufferStored);
      break;
    case M::kIdReceiveBankProg: case M::kIdReceiveBankCombi:
      selection(kCmdRequestSelection, bank, kAny, kAllParts);
      break;
    case M::kIdTransmitBankProg: case M::kIdTransmitBankCombi:
      selection(kCmdSendSelection, bank, kAny, kAllParts);
      break;
    case M::kIdInitCombination: cmd = kCmdInitCombination; break;
    case M::kIdSwapInsertEffect: cmd = kCmdSwapInsertEffects; break;
    case M::kIdReceiveGlobal: cmd = kCmdReceiveGlobal; break;
    case M::kIdTransmitGlobal: case M::kIdWriteGlobalSetting: cmd = kCmdTransmitGlobal; break;
    case M::kIdSaveDefault: cmd = kCmdSaveSettings; break;
    case M::kIdRestoreData: cmd = kCmdNothing; break;
    case M::kIdRemoveProgramFromCat: cmd = kCmdWriteUncategorised; break;
    default: return false;
  }
  if (out) *out = {cmd, a1, a2, a3, a4};
  return true;
}

void OskendBackgroundLayer::OnRemoteSynthCommand(int id, const std::string& title) {
  if (!m_pRemoteSynth) return;
  const Oskend::SSoundIndex cur = m_pRemoteSynth->GetCurSound(true);
  RemoteCommand c{};
  if (!CommandFor(id, m_pRemoteSynth->GetMode(), cur.bank, cur.number, &c)) return;
  const int cmd = c.cmd, a1 = c.a1, a2 = c.a2, a3 = c.a3, a4 = c.a4;
  const std::string product = GetProductName();
  if (HfcMessageBoxForWindow((title + "?").c_str(), product.c_str(), GetParentWindow(), 1, 5) != 1)
    return;
  unsigned long status = 0;
  if (m_pRemoteSynth->ExecCommand(cmd, a1, a2, a3, a4, &status)) {
    if (cmd == Oskend::kCmdWriteUncategorised) OnGUIModeChanged(EditorIds::kGuiPerformance);
    return;
  }
  HfcMessageBoxForWindow(CommandErrorText(title, status).c_str(), product.c_str(),
                         GetParentWindow(), 0, 4);
}

// ---- Data files ----

void OskendBackgroundLayer::MakeFileTypeInfoArray(std::vector<FiletypeInfo>& types,
                                                  Oskend::IRemoteSynth* synth) {
  types.clear();
  if (!synth) return;
  const int sm = synth->GetSoundMode();
  if (sm == 0) {
    types = {kFileTypeInfo_AllData, kFileTypeInfo_AllCombi, kFileTypeInfo_OneCombi};
  } else if (sm == 2) {
    types.push_back(kFileTypeInfo_AllProg);
    if (!XESynthUtils::IsGMBank(synth, 2, synth->GetCurSound(true).bank)) {
      types.push_back(kFileTypeInfo_BankProg);
      types.push_back(kFileTypeInfo_OneProg);
    }
  }
}

namespace {

void AddFileTypesToDialog(CHfcFileDialog* dialog, const std::vector<FiletypeInfo>& types) {
  for (const FiletypeInfo& t : types) dialog->AddFileType(t.description, t.pattern);
}

template <class Dialog>
void Run(Dialog* dialog) {
  if (!dialog->GetOneFile()) {
    dialog->Destroy();
    delete dialog;
  }
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

void OskendBackgroundLayer::OpenLoadDialog() {
  auto* dialog = new CHfcOpenFileDialog;
  dialog->SetFileTypeIndex(0);
  if (!dialog->Create(GetParentWindow(), this, nullptr)) {
    delete dialog;
    return;
  }
  char title[] = "Load Data File";
  dialog->SetTitle(title);
  MakeFileTypeInfoArray(m_fileTypes, m_pRemoteSynth);
  AddFileTypesToDialog(dialog, m_fileTypes);
  Run(dialog);
}

void OskendBackgroundLayer::OpenSaveDialog() {
  MakeFileTypeInfoArray(m_fileTypes, m_pRemoteSynth);
  // No kind fits this sound mode: there is nothing a file could hold.
  if (m_fileTypes.empty()) return;
  auto* dialog = new XESaveFileDialog;
  dialog->SetFileTypeIndex(0);
  if (!dialog->Create(GetParentWindow(), this, nullptr)) {
    delete dialog;
    return;
  }
  char title[] = "Save Data File";
  dialog->SetTitle(title);
  AddFileTypesToDialog(dialog, m_fileTypes);
  std::string name = std::string("Untitled") + m_fileTypes[0].Extension();
  dialog->SetFilePath(name.data());
  Run(dialog);
}

void OskendBackgroundLayer::OpenAutoLoadDialog() {
  auto* dialog = new XEFileSelectDialog;
  dialog->SetFileTypeIndex(0);
  if (!dialog->Create(GetParentWindow(), this, nullptr)) {
    delete dialog;
    return;
  }
  char title[] = "Select Auto Load File";
  dialog->SetTitle(title);
  m_fileTypes = {kFileTypeInfo_AllData};
  AddFileTypesToDialog(dialog, m_fileTypes);
  Run(dialog);
}

void OskendBackgroundLayer::OnHfcFileDialogFileTypeChanged(CHfcFileDialog* dialog, int index,
                                                           void*) {
  if (!dialog || !dynamic_cast<CHfcSaveFileDialog*>(dialog)) return;
  if (index < 0 || index >= static_cast<int>(m_fileTypes.size())) return;
  std::string name = std::string("Untitled") + m_fileTypes[static_cast<size_t>(index)].Extension();
  dialog->SetSaveFileNameToDialog(name.data());
  dialog->SetFilePath(name.data());
}

bool OskendBackgroundLayer::OnHfcFileDialogBrowseFilterFSRef(CHfcFileDialog* dialog, FSRef* ref,
                                                             bool isFolder, void*) {
  if (!ref) return false;
  if (ref->path.size() >= 4096) return false;
  return OnHfcFileDialogBrowseFilter_Common(dialog, ref->path, isFolder);
}

bool OskendBackgroundLayer::OnHfcFileDialogBrowseFilter_Common(CHfcFileDialog* dialog,
                                                               const std::string& path,
                                                               bool isFolder) {
  if (isFolder) return true;
  if (!dialog || path.empty()) return false;
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  const int index = dialog->GetFileTypeIndex();
  if (index < 0 || index >= static_cast<int>(m_fileTypes.size())) return false;
  const std::string want = m_fileTypes[static_cast<size_t>(index)].Extension();
  const std::string have = path.substr(dot);
  if (have.size() != want.size() ||
      !std::equal(have.begin(), have.end(), want.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
      }))
    return false;
  Oskend::FTYPE type{};
  unsigned char extra = 0;
  return Oskend::PersistFindStreamType(path.c_str(), &type, &extra);
}

bool OskendBackgroundLayer::SaveDataFile(const std::string& path, int type, uint32_t extra) {
  if (!m_pRemoteSynth || path.empty()) return false;
  // Only the kinds the dialog offered are written.
  bool known = false;
  for (const FiletypeInfo& t : m_fileTypes) known = known || t.type == type;
  if (!known) return false;
  const std::string temp = path + ".saving";
  std::remove(temp.c_str());
  if (!m_pRemoteSynth->SaveFile(temp.c_str(), static_cast<Oskend::FTYPE>(type), extra) || !Exists(temp)) {
    std::remove(temp.c_str());
    return false;
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

void OskendBackgroundLayer::ShowError(const std::string& text) {
  HfcMessageBoxForWindow(text.c_str(), GetProductName().c_str(), GetParentWindow(), 0, 4);
}

void OskendBackgroundLayer::OnHfcFileDialogAction(CHfcFileDialog* dialog, int action, void*) {
  if (!dialog || action != 1 || !m_pRemoteSynth) return;
  char item[4096];
  if (!dialog->GetItemPath(0, item, sizeof item)) return;
  std::string path;
  const bool save = dynamic_cast<CHfcSaveFileDialog*>(dialog) != nullptr;
  if (save) {
    char name[1024];
    if (!dialog->GetSaveFileName(name, sizeof name) || !name[0]) return;
    dialog->SetSaveFileNameToDialog(name);
    // The typed name is a name, never a path into another folder.
    if (std::strchr(name, '/') || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
      return;
    path = std::string(item);
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
  } else {
    path = item;
  }
  const int index = dialog->GetFileTypeIndex();
  if (path.empty() || index < 0 || index >= static_cast<int>(m_fileTypes.size())) return;
  const int t = m_fileTypes[static_cast<size_t>(index)].type;
  const uint32_t extra = t == 5 ? m_pRemoteSynth->GetCurSound(true).bank : 0;
  if (save) {
    if (!SaveDataFile(path, t, extra)) ShowError("Save Error");
    return;
  }
  Oskend::FTYPE found{};
  unsigned char ex = 0;
  if (!Oskend::PersistFindStreamType(path.c_str(), &found, &ex)) {
    ShowError("Error: Invalid data file");
    return;
  }
  if (dynamic_cast<XEFileSelectDialog*>(dialog)) {
    if (!m_pRemoteSynth->SelectFileName(path.c_str(), extra)) ShowError("Select file Error");
    return;
  }
  // Loading these kinds writes them into the stored sounds (and, when
  // connected, into the synthesizer's memory): the user says so first, as
  // for every other write.
  const std::string question = LoadQuestion(m_pRemoteSynth, found, extra);
  if (!question.empty() &&
      HfcMessageBoxForWindow(question.c_str(), GetProductName().c_str(), GetParentWindow(), 1,
                             5) != 1)
    return;
  if (!m_pRemoteSynth->LoadFile(path.c_str(), extra))
    ShowError(LoadErrorText(m_pRemoteSynth->GetLoadSendFailure()));
}

std::string OskendBackgroundLayer::LoadQuestion(Oskend::IRemoteSynth* synth, Oskend::FTYPE type,
                                                uint32_t selector) {
  using Oskend::FTYPE;
  if (!synth) return "";
  const int soundMode = synth->GetSoundMode();
  const Oskend::SSoundIndex cur = synth->GetCurSound(true);
  // One sound goes to the current sound's place of its kind.
  auto intoCurrent = [&](const char* kind, const char* noun, int mode) {
    const std::string where =
        soundMode == mode ? XESynthUtils::GetBankProgNumberAsString(synth, mode, cur.bank, cur.number)
                          : std::string("the current ") + noun;
    return std::string("Load ") + kind + " into " + where + "?\nThe " + noun +
           " stored there is replaced.";
  };
  switch (type) {
    case FTYPE::All:
      return "Load All Data?\nEvery stored program and performance and the global settings "
             "are replaced.";
    case FTYPE::AllProgs:
      return "Load All Program?\nEvery stored program is replaced.";
    case FTYPE::AllCombis:
      return "Load All Performance?\nEvery stored performance is replaced.";
    case FTYPE::ProgBank:
      return "Load Bank Program into bank " +
             XESynthUtils::GetBankName(synth, eMode_ProgPlay, static_cast<int>(selector)) +
             "?\nThe programs stored there are replaced.";
    case FTYPE::Prog:
    case FTYPE::VSTProg:
      return intoCurrent("Program", "program", eMode_ProgPlay);
    case FTYPE::Combi:
    case FTYPE::VSTCombi:
      return intoCurrent("Performance", "performance", eMode_Combi);
    default:
      // A bank chunk dumps without storing.
      return "";
  }
}
