#include "editor/browsers/ModalBrowsers.h"

#include "editor/shell/BackgroundLayer.h"

ModalBrowsers::ModalBrowsers(BackgroundLayer& root)
    : m_data(std::make_unique<BlueBrowserData>(root.GetRemoteSynth())),
      m_opener(std::make_unique<BrowserOpener>(root.GetRemoteSynth(), root.GetParentWindow(), &root,
                                               m_data.get())) {
  m_opener->paramReader = [&root](eMode mode, int pid) { return root.GetParamValue(mode, pid); };
}

ModalBrowsers::~ModalBrowsers() {
  m_opener.reset();
  m_data.reset();
}

void RegisterModalBrowsers() {
  IModalBrowsers::SetFactory(
      [](BackgroundLayer& root) { return std::make_unique<ModalBrowsers>(root); });
}
