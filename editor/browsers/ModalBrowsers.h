#pragma once
// The root layer's builder of modal groups: the shared sound-list model
// and the group opener, over the root layer's window. RegisterModalBrowsers
// makes every root layer created afterwards use it; whoever assembles the
// editor calls it once at start-up.
#include <memory>

#include "editor/browsers/BlueBrowserData.h"
#include "editor/browsers/BrowserOpener.h"
#include "editor/shell/IModalBrowsers.h"

class BackgroundLayer;

class ModalBrowsers : public IModalBrowsers {
 public:
  explicit ModalBrowsers(BackgroundLayer& root);
  ~ModalBrowsers() override;

  bool OpenBlueBrowser(int unused) override { return m_opener->OpenBlueBrowser(unused); }
  bool OpenRedBrowser(int kind, eMode mode, int pid) override {
    return m_opener->OpenRedBrowser(kind, mode, pid);
  }
  bool OpenParamBrowser(int kind, eMode mode, int pid) override {
    return m_opener->OpenParamBrowser(kind, mode, pid);
  }
  bool OpenWriteBrowser() override { return m_opener->OpenWriteBrowser(); }
  bool OpenRenameBrowser(int kind, int page) override {
    return m_opener->OpenRenameBrowser(kind, page);
  }
  bool OpenCopyOSCBrowser() override { return m_opener->OpenCopyOSCBrowser(); }
  bool OpenCopyLFOBrowser() override { return m_opener->OpenCopyLFOBrowser(); }
  bool OpenCopyEGBrowser() override { return m_opener->OpenCopyEGBrowser(); }
  bool OpenCopyIFXBrowser() override { return m_opener->OpenCopyIFXBrowser(); }
  bool OpenCopyMFXBrowser() override { return m_opener->OpenCopyMFXBrowser(); }
  bool OpenCopyScaleBrowser() override { return m_opener->OpenCopyScaleBrowser(); }
  void CloseModalBrowser() override { m_opener->CloseModalBrowser(); }
  bool IsOpen() const override { return m_opener->IsOpen(); }
  ModalLayer* GetModalLayer() const override { return m_opener->GetModalLayer(); }
  void OnIdle() override {
    m_opener->FreeClosed();
    m_data->OnIdle(0);
  }
  void UpdateAllBrowsers() override { m_data->UpdateAllBrowsers(nullptr, false); }
  bool IsAuditioningSound() const override { return m_data->IsAuditioning(); }

  BlueBrowserData& GetData() { return *m_data; }
  BrowserOpener& GetOpener() { return *m_opener; }

 private:
  std::unique_ptr<BlueBrowserData> m_data;
  // Declared after the model: its groups go before the model does.
  std::unique_ptr<BrowserOpener> m_opener;
};

void RegisterModalBrowsers();
