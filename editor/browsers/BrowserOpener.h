#pragma once
// Builds and tears down the editor's modal groups: a ModalLayer over the
// window, a tab strip on it and one browser or dialog page in the strip.
// The root layer owns one and hands it the commands the pages post, the
// page-menu requests and the sound-name click; its idle closes the group
// once the modal layer's done flag is up. One group at a time: a request
// while a group is open is refused before anything is built, so the open
// group stays closable.
#include <functional>
#include <memory>
#include <string>

#include "editor/shell/XECommand.h"
#include "model/eMode.h"

class BlueBrowserData;
class CHfcWindow;
class CTabControl;
class CTabPageLayer;
class ModalLayer;
class XELayerBase;
namespace Oskend {
class IRemoteSynth;
}

class BrowserOpener {
 public:
  // The strip look of a group.
  enum class Group { kBlueBrowser, kRedBrowser, kParamBrowser, kDialog, kDialogNarrow };

  static constexpr int kBottomKept = 72;

  // root: the layer whose width the modal layer takes and which listens to
  // the strip; data: the shared sound-browser model (may be null).
  BrowserOpener(Oskend::IRemoteSynth* synth, CHfcWindow* window, XELayerBase* root,
                BlueBrowserData* data);
  ~BrowserOpener();
  BrowserOpener(const BrowserOpener&) = delete;
  BrowserOpener& operator=(const BrowserOpener&) = delete;

  // Reads parameter 0xD00 (oscillator mode) of a mode's section; the root
  // layer gives its own GetParamValue. Without one the mode counts as 0.
  std::function<int(eMode mode, int pid)> paramReader;
  // Called after a group was closed (the root layer resets the LCD name
  // field and marks itself dirty there).
  std::function<void()> onClosed;

  // XECommand types 1 to 3 (About is the root layer's own).
  bool Execute(const XECommand& command);

  bool OpenBlueBrowser(int unused);
  bool OpenRedBrowser(int kind, eMode mode, int pid);
  bool OpenParamBrowser(int kind, eMode mode, int pid);
  bool OpenWriteBrowser();
  bool OpenRenameBrowser(int kind, int activeGlobalPage);
  bool OpenCopyOSCBrowser();
  bool OpenCopyLFOBrowser();
  bool OpenCopyEGBrowser();
  bool OpenCopyIFXBrowser();
  bool OpenCopyMFXBrowser();
  bool OpenCopyScaleBrowser();
  // The common path, also for a page the caller made.
  bool OpenGroup(Group group, std::unique_ptr<CTabPageLayer> page);

  // Tears the open group down (page, strip, modal layer), each once; does
  // nothing without one.
  void CloseModalBrowser();
  // The idle's part: closes the group when its modal layer is done.
  bool CloseIfDone();

  bool IsOpen() const { return m_modal != nullptr; }
  ModalLayer* GetModalLayer() const { return m_modal.get(); }
  CTabControl* GetStrip() const { return m_strip.get(); }
  CTabPageLayer* GetPage() const { return m_page.get(); }

 private:
  Oskend::IRemoteSynth* m_pSynth;
  CHfcWindow* m_pWindow;
  XELayerBase* m_pRoot;
  BlueBrowserData* m_pData;
  std::unique_ptr<ModalLayer> m_modal;
  std::unique_ptr<CTabControl> m_strip;
  std::unique_ptr<CTabPageLayer> m_page;
};
