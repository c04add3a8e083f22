#include "editor/shell/BackgroundLayer.h"

#include <cstdio>

#include "editor/controls/ResourceManager.h"
#include "editor/shell/AboutLayer.h"
#include "editor/shell/IPlugInHost.h"
#include "editor/shell/ModalLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcWindow.h"
#include "os/MainLoop.h"
#include "remote/IRemoteSynth.h"

BackgroundLayer::BackgroundLayer(IPlugInHost* plugin, Oskend::IRemoteSynth* synth)
    : XESynthLayer(synth), m_pPlugIn(plugin) {}

BackgroundLayer::~BackgroundLayer() {
  // The About box is the root layer's own: it goes with it.
  if (m_pSubLayer) {
    if (CHfcWindow* w = m_pSubLayer->GetParentWindow()) w->RemoveLayer(m_pSubLayer, false);
    m_pSubLayer->Destroy();
    delete m_pSubLayer;
    m_pSubLayer = nullptr;
  }
}

CHfcBmp* BackgroundLayer::GetBaseImage() {
  ResourceManager* images = ResourceManager::GetInstance();
  return images ? images->LoadImage(kBaseImage) : nullptr;
}

bool BackgroundLayer::Create(CHfcWindow* window) {
  CHfcBmp* base = GetBaseImage();
  if (!base || !window) return false;
  SetBackgroundBmp(base);
  return XESynthLayer::Create(0, 0, base->GetWidth(), base->GetHeight(), window);
}

std::string BackgroundLayer::GetProductName() {
  return m_pPlugIn ? m_pPlugIn->GetPlugInProductString() : std::string();
}

std::string BackgroundLayer::TrimVersion(const std::string& version) {
  size_t dots = 0;
  for (size_t i = 0; i < version.size(); ++i)
    if (version[i] == '.' && ++dots == 3) return version.substr(0, i);
  return version;
}

std::string BackgroundLayer::GetVersionString() {
  return m_pPlugIn ? TrimVersion(m_pPlugIn->GetPlugInBundleVersion()) : std::string();
}

void BackgroundLayer::OnBrowserRequest(const std::string& what) {
  std::fprintf(stderr, "Vesk editor: %s is not available yet\n", what.c_str());
  m_browserRequests.push_back(what);
}

IModalBrowsers* BackgroundLayer::GetModalBrowsers() {
  if (!m_pBrowsers && IModalBrowsers::GetFactory()) m_pBrowsers = IModalBrowsers::GetFactory()(*this);
  return m_pBrowsers.get();
}

void BackgroundLayer::OnGroupOpened(bool opened) {
  if (!opened || !m_pBrowsers) return;
  m_pModalBrowser = m_pBrowsers->GetModalLayer();
  m_modalOpenedFor = CurrentSynthState();
}

BackgroundLayer::SynthState BackgroundLayer::CurrentSynthState() const {
  if (!m_pRemoteSynth) return {};
  return {m_pRemoteSynth->GetMode(), m_pRemoteSynth->GetConnected()};
}

void BackgroundLayer::CloseModalOnModeChange() {
  if (m_pModalBrowser && CurrentSynthState() != m_modalOpenedFor) m_pModalBrowser->SetDone(true);
}

void BackgroundLayer::OpenBlueBrowser(int unused) {
  if (IModalBrowsers* b = GetModalBrowsers()) return OnGroupOpened(b->OpenBlueBrowser(unused));
  OnBrowserRequest("blue browser");
}

void BackgroundLayer::OpenRedBrowser(int kind, eMode mode, int pid) {
  if (IModalBrowsers* b = GetModalBrowsers())
    return OnGroupOpened(b->OpenRedBrowser(kind, mode, pid));
  OnBrowserRequest("list browser " + std::to_string(kind) + " mode " + std::to_string(mode) +
                   " pid " + std::to_string(pid));
}
void BackgroundLayer::OpenParamBrowser(int kind, eMode mode, int pid) {
  if (IModalBrowsers* b = GetModalBrowsers())
    return OnGroupOpened(b->OpenParamBrowser(kind, mode, pid));
  OnBrowserRequest("parameter browser " + std::to_string(kind) + " mode " +
                   std::to_string(mode) + " pid " + std::to_string(pid));
}
void BackgroundLayer::OpenWriteBrowser() {
  if (IModalBrowsers* b = GetModalBrowsers()) return OnGroupOpened(b->OpenWriteBrowser());
  OnBrowserRequest("write dialog");
}
void BackgroundLayer::OpenRenameBrowser(int kind) {
  if (IModalBrowsers* b = GetModalBrowsers())
    return OnGroupOpened(b->OpenRenameBrowser(kind, GetActiveGlobalPage()));
  OnBrowserRequest("rename dialog");
}
void BackgroundLayer::OpenCopyOSCBrowser() {
  if (IModalBrowsers* b = GetModalBrowsers()) return OnGroupOpened(b->OpenCopyOSCBrowser());
  OnBrowserRequest("copy oscillator dialog");
}
void BackgroundLayer::OpenCopyLFOBrowser() {
  if (IModalBrowsers* b = GetModalBrowsers()) return OnGroupOpened(b->OpenCopyLFOBrowser());
  OnBrowserRequest("copy LFO dialog");
}
void BackgroundLayer::OpenCopyEGBrowser() {
  if (IModalBrowsers* b = GetModalBrowsers()) return OnGroupOpened(b->OpenCopyEGBrowser());
  OnBrowserRequest("copy EG dialog");
}
void BackgroundLayer::OpenCopyIFXBrowser() {
  if (IModalBrowsers* b = GetModalBrowsers()) return OnGroupOpened(b->OpenCopyIFXBrowser());
  OnBrowserRequest("copy insert effect dialog");
}
void BackgroundLayer::OpenCopyMFXBrowser() {
  if (IModalBrowsers* b = GetModalBrowsers()) return OnGroupOpened(b->OpenCopyMFXBrowser());
  OnBrowserRequest("copy master effect dialog");
}
void BackgroundLayer::OpenCopyScaleBrowser() {
  if (IModalBrowsers* b = GetModalBrowsers()) return OnGroupOpened(b->OpenCopyScaleBrowser());
  OnBrowserRequest("copy scale dialog");
}
void BackgroundLayer::OpenAbout() {
  CHfcWindow* window = GetParentWindow();
  if (m_pSubLayer || !window) return;
  auto* about = new AboutLayer(GetProductName(), GetVersionString());
  m_pSubLayer = about;
  about->Create(0, 0, GetWidth(), GetHeight(), window);
  window->AddLayer(about, false);
  about->Show(true);
  about->RequestRedraw();
  // Keys stop at the box, as clicks do.
  about->SetFocus(about);
}

void BackgroundLayer::CloseModalBrowser() {
  if (m_pBrowsers && m_pBrowsers->IsOpen()) {
    // The builder owns the group: it tears down page, strip and layer.
    m_pModalBrowser = nullptr;
    m_pBrowsers->CloseModalBrowser();
    if (CHfcControl* name = GetControlById(kSoundNameId)) name->SetIntValue(0, true);
    RequestRedraw();
    return;
  }
  if (!m_pModalBrowser) return;
  ModalLayer* modal = m_pModalBrowser;
  m_pModalBrowser = nullptr;
  if (CHfcWindow* w = modal->GetParentWindow()) w->RemoveLayer(modal, false);
  modal->Destroy();
  delete modal;
  RequestRedraw();
}

namespace {
// The idle also runs while a message box or a progress window holds the
// loop, from inside a page's handler: the group that page belongs to must
// not be built or torn down under it. Such work waits for the run's end.
bool InsideModalRun() {
  os::MainLoop* loop = os::MainLoop::Current();
  return loop && loop->ModalDepth() > 0;
}
}  // namespace

void BackgroundLayer::OnIdle(unsigned long now) {
  XESynthLayer::OnIdle(now);
  if (m_pBrowsers) m_pBrowsers->OnIdle();
  const bool nested = InsideModalRun();
  XECommand command;
  command.type = -1;
  if (!nested && PeekCommand(command)) {
    switch (command.type) {
      case XECommand::kOpenAbout:
        OpenAbout();
        break;
      case XECommand::kOpenListBrowser:
        OpenRedBrowser(command.a1, static_cast<eMode>(command.a2), command.a3);
        break;
      case XECommand::kOpenWriteDialog:
        OpenWriteBrowser();
        break;
      case XECommand::kOpenParamBrowser:
        OpenParamBrowser(command.a1, static_cast<eMode>(command.a2), command.a3);
        break;
      default:
        break;
    }
  }
  if (m_bModeChanged) {
    m_bModeChanged = false;
    OnModeChanged();
  }
  if (m_bBrowsersDirty) {
    m_bBrowsersDirty = false;
    if (m_pBrowsers) m_pBrowsers->UpdateAllBrowsers();
  }
  if (m_pSubLayer) {
    auto* modal = dynamic_cast<ModalLayer*>(m_pSubLayer);
    if (modal && modal->IsDone()) {
      XELayerBase* sub = m_pSubLayer;
      m_pSubLayer = nullptr;
      if (CHfcWindow* w = sub->GetParentWindow()) w->RemoveLayer(sub, false);
      sub->Destroy();
      delete sub;
      RequestRedraw();
    }
  }
  if (!nested && m_pModalBrowser && m_pModalBrowser->IsDone()) CloseModalBrowser();
  // Re-read the list after each call: a control may add or remove others.
  std::vector<CHfcControl*> controls;
  GetControlVec(controls);
  for (size_t i = 0; i < controls.size(); ++i) {
    controls[i]->Idle(static_cast<int>(now));
    std::vector<CHfcControl*> again;
    GetControlVec(again);
    if (again.size() != controls.size()) {
      // Continue after the control just served, wherever it is now.
      size_t next = 0;
      for (size_t k = 0; k < again.size(); ++k)
        if (again[k] == controls[i]) next = k + 1;
      controls.swap(again);
      i = next - 1;
      if (next == 0) i = static_cast<size_t>(-1);
    }
  }
}
