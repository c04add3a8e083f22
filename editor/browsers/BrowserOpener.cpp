#include "editor/browsers/BrowserOpener.h"

#include "editor/browsers/AuditionRiffBrowser.h"
#include "editor/browsers/BlueBrowserData.h"
#include "editor/browsers/CopyEGBrowser.h"
#include "editor/browsers/CopyIFXBrowserLayer.h"
#include "editor/browsers/CopyLFOBrowser.h"
#include "editor/browsers/CopyMFXBrowserLayer.h"
#include "editor/browsers/CopyOSCBrowser.h"
#include "editor/browsers/CopyScaleBrowser.h"
#include "editor/browsers/EffectBrowser.h"
#include "editor/browsers/GlobalParamBrowser.h"
#include "editor/browsers/LoadProgramBrowser.h"
#include "editor/browsers/MultisampleBrowser.h"
#include "editor/browsers/ParamBrowser.h"
#include "editor/browsers/ParamBrowserForAMSSource.h"
#include "editor/browsers/RenameBrowser.h"
#include "editor/browsers/SmallBlueBrowserLayer.h"
#include "editor/browsers/WriteBrowser.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/ResourceManager.h"
#include "editor/shell/ModalLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcWindow.h"
#include "remote/IRemoteSynth.h"

namespace {

struct GroupLook {
  int stripId;
  const char* tabs;
  int tabWidth;
  bool halfHeight;  // strip height: half the tab picture, else all of it
  const char* background;
  bool keepBottom;  // the bottom 72 pixels stay uncovered
  bool stripAfterPage;
};

GroupLook LookOf(BrowserOpener::Group g) {
  switch (g) {
    case BrowserOpener::Group::kBlueBrowser:
      return {0x1393C, "Tab_BlueBrowser_Browser", 76, true, "Background_BlueBrowser_Small", false,
              false};
    case BrowserOpener::Group::kRedBrowser:
      return {0x1393D, "Tab_RedBrowser", 154, false, "Background_RedBrowser", true, true};
    case BrowserOpener::Group::kParamBrowser:
      return {0x1393E, "Tab_ParamBrowser", 154, false, "Background_ParamBrowser", true, true};
    case BrowserOpener::Group::kDialog:
      return {0x1393D, "Tab_BlueBrowser", 154, false, "Background_BlueBrowser_Small", false, false};
    case BrowserOpener::Group::kDialogNarrow:
    default:
      return {0x1393C, "Tab_BlueBrowser", 154, false, "Background_BlueBrowser_Small", false, false};
  }
}

CHfcBmp* Skin(const char* name) {
  ResourceManager* r = ResourceManager::GetInstance();
  return r ? r->LoadImage(name) : nullptr;
}

}  // namespace

BrowserOpener::BrowserOpener(Oskend::IRemoteSynth* synth, CHfcWindow* window, XELayerBase* root,
                             BlueBrowserData* data)
    : m_pSynth(synth), m_pWindow(window), m_pRoot(root), m_pData(data) {}

BrowserOpener::~BrowserOpener() { CloseModalBrowser(); }

bool BrowserOpener::Execute(const XECommand& c) {
  switch (c.type) {
    case XECommand::kOpenListBrowser:
      return OpenRedBrowser(c.a1, static_cast<eMode>(c.a2), c.a3);
    case XECommand::kOpenWriteDialog:
      return OpenWriteBrowser();
    case XECommand::kOpenParamBrowser:
      return OpenParamBrowser(c.a1, static_cast<eMode>(c.a2), c.a3);
    default:
      return false;
  }
}

bool BrowserOpener::OpenBlueBrowser(int) {
  if (IsOpen() || !m_pData) return false;
  auto page = std::make_unique<SmallBlueBrowserLayer>(m_pSynth, m_pData, "");
  SmallBlueBrowserLayer* raw = page.get();
  // Advised at every opening: closing a group unadvises it, and a later
  // browser must still hear mode, bank-list and audition-end notices.
  m_pData->Advise();
  if (!OpenGroup(Group::kBlueBrowser, std::move(page))) return false;
  m_pData->AddBrowser(raw);
  if (m_pRoot) m_pRoot->RequestRedraw();
  return true;
}

bool BrowserOpener::OpenRedBrowser(int kind, eMode mode, int pid) {
  if (IsOpen()) return false;
  std::unique_ptr<CTabPageLayer> page;
  switch (kind) {
    case 0:
      page =
          std::make_unique<LoadProgramBrowser>(m_pSynth, mode, pid, "Select Program", true, false);
      break;
    case 1:
      page = std::make_unique<EffectBrowser>(m_pSynth, mode, pid, "Select Effect");
      break;
    case 2: {
      const bool drums = paramReader && paramReader(mode, 0xD00) == 2;
      page = std::make_unique<MultisampleBrowser>(
          m_pSynth, mode, pid, drums ? "Select Drumkit" : "Select Multisample", drums);
      break;
    }
    case 5:
      page = std::make_unique<AuditionRiffBrowser>(m_pSynth, mode, pid, "Select Audition Riff");
      break;
    default:
      return false;
  }
  return OpenGroup(Group::kRedBrowser, std::move(page));
}

bool BrowserOpener::OpenParamBrowser(int kind, eMode mode, int pid) {
  if (IsOpen()) return false;
  std::unique_ptr<CTabPageLayer> page;
  if (kind == 6 && mode == 6)
    page = std::make_unique<GlobalParamBrowser>(m_pSynth, pid, "Global Parameter");
  else if (kind == 6)
    page = std::make_unique<ParamBrowser>(m_pSynth, mode, pid, "Select Parameter");
  else if (kind == 7)
    page = std::make_unique<ParamBrowserForAMSSource>(m_pSynth, mode, pid, "Select AMS Source");
  else
    return false;
  return OpenGroup(Group::kParamBrowser, std::move(page));
}

bool BrowserOpener::OpenWriteBrowser() {
  if (IsOpen() || !m_pSynth) return false;
  const int m = m_pSynth->GetSoundMode();
  if (m != 0 && m != 2) return false;
  return OpenGroup(
      Group::kDialog,
      std::make_unique<WriteBrowser>(m_pSynth, 0, m == 0 ? "Store Performance" : "Write Program"));
}

bool BrowserOpener::OpenRenameBrowser(int kind, int activeGlobalPage) {
  if (IsOpen()) return false;
  const char* title = activeGlobalPage == 2   ? "Rename External Setup"
                      : activeGlobalPage == 5 ? "Rename Drum Kit"
                      : activeGlobalPage == 6 ? "Rename Arpeggio Pattern"
                                              : nullptr;
  if (!title) return false;
  return OpenGroup(Group::kDialog, std::make_unique<RenameBrowser>(m_pSynth, kind, title));
}

bool BrowserOpener::OpenCopyOSCBrowser() {
  if (IsOpen()) return false;
  return OpenGroup(Group::kDialogNarrow,
                   std::make_unique<CopyOSCBrowser>(m_pSynth, "Copy Oscillator"));
}

bool BrowserOpener::OpenCopyLFOBrowser() {
  if (IsOpen()) return false;
  return OpenGroup(Group::kDialogNarrow, std::make_unique<CopyLFOBrowser>(m_pSynth, "Copy LFO"));
}

bool BrowserOpener::OpenCopyEGBrowser() {
  if (IsOpen()) return false;
  return OpenGroup(Group::kDialog, std::make_unique<CopyEGBrowser>(m_pSynth, "Copy EG"));
}

bool BrowserOpener::OpenCopyIFXBrowser() {
  if (IsOpen()) return false;
  return OpenGroup(Group::kDialog,
                   std::make_unique<CopyIFXBrowserLayer>(m_pSynth, 1, "Copy Insert Effect"));
}

bool BrowserOpener::OpenCopyMFXBrowser() {
  if (IsOpen()) return false;
  return OpenGroup(Group::kDialog,
                   std::make_unique<CopyMFXBrowserLayer>(m_pSynth, 1, "Copy MFX/EQ"));
}

bool BrowserOpener::OpenCopyScaleBrowser() {
  if (IsOpen()) return false;
  return OpenGroup(Group::kDialog, std::make_unique<CopyScaleBrowser>(m_pSynth, "Copy Scale"));
}

bool BrowserOpener::OpenGroup(Group group, std::unique_ptr<CTabPageLayer> page) {
  if (IsOpen() || !page || !m_pWindow) return false;
  const GroupLook look = LookOf(group);
  const int width =
      m_pRoot && m_pRoot->GetWidth() > 0 ? m_pRoot->GetWidth() : m_pWindow->GetWidth();
  int height = m_pRoot && m_pRoot->GetHeight() > 0 ? m_pRoot->GetHeight() : m_pWindow->GetHeight();
  if (look.keepBottom) height -= kBottomKept;

  m_modal = std::make_unique<ModalLayer>();
  m_modal->Create(0, 0, width, height, m_pWindow);
  m_modal->Show(false);
  if (group == Group::kDialog || group == Group::kDialogNarrow) m_modal->RequestRedraw();
  m_pWindow->AddLayer(m_modal.get(), false);

  CHfcBmp* tabs = Skin(look.tabs);
  m_strip = std::make_unique<CTabControl>();
  stTabControlCreateParam p{};
  p.x = 4;
  p.y = 83;
  p.width = 0;
  p.height = tabs ? (look.halfHeight ? tabs->GetHeight() / 2 : tabs->GetHeight()) : 62;
  p.tabWidth = look.tabWidth;
  p.tabHeight = 31;
  p.tabGap = 2;
  p.firstTabExtra = 2;
  p.lastTabExtra = 5;
  p.tabs = tabs;
  p.back = nullptr;
  p.backX = 4;
  p.backY = 83;
  p.overflowSwitches = 0;
  m_strip->Create(p, look.stripId, 0);
  m_strip->SetListener(m_pRoot);
  m_strip->Disable(false);
  m_strip->Show(false);
  if (!look.stripAfterPage) m_modal->AddControl(m_strip.get(), false);

  CTabPageLayerCreateParam cp;
  cp.background = Skin(look.background);
  m_page = std::move(page);
  m_page->SetBackgroundBmp(cp.background);
  m_page->Create(cp, m_pWindow);
  m_strip->AddTabPageLayer(m_pWindow, m_page.get());
  if (look.stripAfterPage) m_modal->AddControl(m_strip.get(), false);
  m_strip->RepositionTabPageLayer();

  m_page->RequestRedraw();
  m_modal->RequestRedraw();
  m_page->DoModal();
  return true;
}

void BrowserOpener::CloseModalBrowser() {
  if (!m_modal) return;
  // The page leaves its strip (and the window) when it is destroyed; a
  // window that already let its layers go leaves nothing to remove.
  if (m_page) {
    m_page->Destroy();
    if (m_pWindow && m_pWindow->GetLayerIndex(m_page.get()) >= 0)
      m_pWindow->RemoveLayer(m_page.get(), false);
    m_page.reset();
  }
  if (m_strip) {
    while (m_strip->GetTabPageCount() > 0) m_strip->RemoveTabPageLayer(0);
    m_modal->RemoveControl(m_strip.get(), false);
    m_strip->Destroy();
    m_strip.reset();
  }
  if (m_pWindow && m_pWindow->GetLayerIndex(m_modal.get()) >= 0)
    m_pWindow->RemoveLayer(m_modal.get(), false);
  m_modal->Destroy();
  m_modal.reset();
  if (m_pData) {
    m_pData->Unadvise();
    m_pData->ClearBrowsers();
  }
  if (m_pRoot) m_pRoot->RequestRedraw();
  if (onClosed) onClosed();
}

bool BrowserOpener::CloseIfDone() {
  if (!m_modal || !m_modal->IsDone()) return false;
  CloseModalBrowser();
  return true;
}
