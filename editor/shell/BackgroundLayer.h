#pragma once
// The generic part of the editor window's root layer: the pending
// commands that pages post (carried out one per idle tick), the plug-in it
// serves, the open modal browser and sub-layer, the registered MIDI
// receivers and the file types of an open file dialog, with the common
// idle cycle and the product and version texts.
#include <memory>
#include <string>
#include <vector>

#include "editor/shell/FiletypeInfo.h"
#include "editor/shell/IMIDIReceiver.h"
#include "editor/shell/IModalBrowsers.h"
#include "editor/shell/XECommandQueue.h"
#include "editor/shell/XESynthLayer.h"
#include "platform/CHfcCriticalSection.h"
#include "platform/CHfcFileDialogListener.h"
#include "platform/CHfcListenerList.h"

class CHfcBmp;
class CHfcWindow;
class IPlugInHost;
class ModalLayer;

class BackgroundLayer : public XESynthLayer,
                        public XECommandQueue,
                        public IMIDIReceiver,
                        public CHfcFileDialogListener {
 public:
  static constexpr const char* kBaseImage = "Background_Base";
  // The LCD's sound-name field, reset when a modal group closes.
  static constexpr int kSoundNameId = 0x13904;

  BackgroundLayer(IPlugInHost* plugin, Oskend::IRemoteSynth* synth);
  ~BackgroundLayer() override;

  // Creates the layer over the window at (0, 0) in the base picture's size.
  using XESynthLayer::Create;
  virtual bool Create(CHfcWindow* window);
  CHfcBmp* GetBaseImage();
  std::string GetProductName();
  std::string GetVersionString();
  // The text before the third ".", or the whole text with fewer dots.
  static std::string TrimVersion(const std::string& version);
  bool TestCreateControl() { return true; }

  // The browsers and dialogs pages ask for (carried out in the idle).
  virtual void OpenBlueBrowser(int unused);
  virtual void OpenRedBrowser(int kind, eMode mode, int pid);
  virtual void OpenParamBrowser(int kind, eMode mode, int pid);
  virtual void OpenWriteBrowser();
  virtual void OpenRenameBrowser(int);
  virtual void OpenCopyOSCBrowser();
  virtual void OpenCopyLFOBrowser();
  virtual void OpenCopyEGBrowser();
  virtual void OpenCopyIFXBrowser();
  virtual void OpenSwapIFXBrowser() {}
  virtual void OpenCopyMFXBrowser();
  virtual void OpenCopyScaleBrowser();
  virtual void CloseModalBrowser();
  virtual void OpenAbout();
  // Every browser request lands here until the browsers exist: logged and
  // ignored. `what` names the request.
  virtual void OnBrowserRequest(const std::string& what);
  const std::vector<std::string>& GetBrowserRequests() const { return m_browserRequests; }
  // The builder of the modal groups, made on first use; null without one.
  IModalBrowsers* GetModalBrowsers();
  // A sound browser's audition runs (the builder is not made for asking).
  // Loop thread.
  bool IsAuditioningSound() const { return m_pBrowsers && m_pBrowsers->IsAuditioningSound(); }
  // The active page of the global main strip (the rename dialog's title).
  virtual int GetActiveGlobalPage() const { return -1; }

  void OnIdle(unsigned long now) override;
  void OnMidiIn(uint8_t, uint8_t, uint8_t) override {}
  virtual void OnModeChanged() {}

  IPlugInHost* GetPlugIn() const { return m_pPlugIn; }
  std::vector<IMIDIReceiver*> GetMIDIReceivers() const { return m_midiReceivers.Snapshot(); }
  bool IsModeChangePending() const { return m_bModeChanged; }
  // Closes the open modal group when the synthesizer's mode or its
  // connection is no longer what it was when the group opened. The model
  // repeats its connection notice every two seconds: a notice that changes
  // nothing must leave the user's dialog alone.
  void CloseModalOnModeChange();

 protected:
  IPlugInHost* m_pPlugIn;
  ModalLayer* m_pModalBrowser = nullptr;
  XELayerBase* m_pSubLayer = nullptr;
  bool m_bModeChanged = false;
  bool m_bBrowsersDirty = false;
  // A receiver may go (a page destroyed) while MIDI is handed round.
  CHfcListenerList<IMIDIReceiver> m_midiReceivers;
  CHfcCriticalSection m_guiModeLock;
  std::vector<FiletypeInfo> m_fileTypes;
  std::vector<std::string> m_browserRequests;
  std::unique_ptr<IModalBrowsers> m_pBrowsers;

 private:
  // What an open group depends on; no mode and not connected without a
  // synthesizer.
  struct SynthState {
    int mode = -1;
    bool connected = false;
    bool operator==(const SynthState&) const = default;
  };
  SynthState CurrentSynthState() const;
  // After a group was built: remembers its modal layer and what it was
  // opened for.
  void OnGroupOpened(bool opened);

  SynthState m_modalOpenedFor;
};
