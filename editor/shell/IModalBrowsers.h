#pragma once
// The root layer's modal groups (a modal layer, a strip and one browser or
// dialog page) are built by the browsers library, which sits above this
// one: the root layer asks a factory for its builder when it first needs
// it, and does without (logging the request) while none is registered.
#include <functional>
#include <memory>

#include "model/eMode.h"

class BackgroundLayer;
class ModalLayer;

class IModalBrowsers {
 public:
  virtual ~IModalBrowsers() = default;

  // Each refuses (false, nothing built) while a group is open and for
  // requests that have no page.
  virtual bool OpenBlueBrowser(int unused) = 0;
  virtual bool OpenRedBrowser(int kind, eMode mode, int pid) = 0;
  virtual bool OpenParamBrowser(int kind, eMode mode, int pid) = 0;
  virtual bool OpenWriteBrowser() = 0;
  virtual bool OpenRenameBrowser(int kind, int activeGlobalPage) = 0;
  virtual bool OpenCopyOSCBrowser() = 0;
  virtual bool OpenCopyLFOBrowser() = 0;
  virtual bool OpenCopyEGBrowser() = 0;
  virtual bool OpenCopyIFXBrowser() = 0;
  virtual bool OpenCopyMFXBrowser() = 0;
  virtual bool OpenCopyScaleBrowser() = 0;
  // Tears the open group down, each layer once; nothing without one.
  virtual void CloseModalBrowser() = 0;
  virtual bool IsOpen() const = 0;
  virtual ModalLayer* GetModalLayer() const = 0;
  // Once per root idle: the shared sound-list model's queued notices.
  virtual void OnIdle() = 0;
  // Brings every open sound browser up to date with the model.
  virtual void UpdateAllBrowsers() = 0;
  // While a sound browser auditions, the current sound is the one chosen
  // in it and the edit buffer still holds the sound before. Loop thread.
  virtual bool IsAuditioningSound() const = 0;

  using Factory = std::function<std::unique_ptr<IModalBrowsers>(BackgroundLayer& root)>;
  // Empty: no browsers (requests are logged).
  static void SetFactory(Factory factory);
  static const Factory& GetFactory();
};
