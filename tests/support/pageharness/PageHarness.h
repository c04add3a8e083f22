#pragma once
// The frame of every page and browser test: a plug-in window the size of
// the editor's panel picture on the headless backend, the real model with
// its sections connected over the virtual MIDI bus to a simulated
// synthesizer, all on simulated time, and pictures of a layer or of the
// whole window written as PNG files into the build tree.
//
//   PageHarness h;                       // connected, program mode
//   MyPage page(h.synth());
//   h.AddPage(page);                     // creates it in the window, shown
//   h.Click(100, 40);                    // mouse through the window
//   h.Idle();                            // one editor idle tick
//   h.device().Log();                    // what the instrument received
//   h.RenderWindow("my_page");           // <build>/tests/pages/my_page.png
//
// Idle() is the editor window's tick: first the main loop runs what is due
// now (the model's notices reach the pages' queues there), then every
// visible XELayerBase of the window gets Idle(elapsed) in layer order.
// Nothing sleeps: time passes only through Idle(ms) / RunFor(ms).
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "os/midi/VirtualBus.h"
#include "remote/CRemoteSynthImpl.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/simsynth/SimSynthDevice.h"

class CHfcControl;
class CHfcVstEditor;
class CHfcWindowLayer;
class CTabPageLayer;

namespace vesk::test {

class PageHarness {
 public:
  // The size of the panel's picture, which the editor window takes (and
  // the harness window too, from the picture itself when it loads).
  static constexpr int kWidth = 856;
  static constexpr int kHeight = 600;

  struct Options {
    // Without a synthesizer the model is not connected and sends nothing.
    bool connect = true;
    // Ask the synthesizer for program edit mode after connecting.
    bool programMode = true;
  };

  PageHarness();
  explicit PageHarness(Options options);
  ~PageHarness();
  PageHarness(const PageHarness&) = delete;
  PageHarness& operator=(const PageHarness&) = delete;

  Oskend::IRemoteSynth* synth();
  Oskend::CRemoteSynthImpl& model() { return *model_; }
  // The simulated synthesizer (only with Options::connect).
  SimSynthDevice& device() { return *device_; }
  CHfcVstEditor& window();
  TestEnvironment& env() { return env_; }

  // Creates a page over the whole window (its size from its background,
  // else 800 x 600), shows it and draws it. The page stays the caller's;
  // DestroyPage (or the harness) takes it out of the window.
  bool AddPage(CTabPageLayer& page);
  void DestroyPage(CTabPageLayer& page);

  // One editor idle tick; with ms, lets that much simulated time pass
  // first.
  void Idle(uint64_t ms = 0);
  void RunFor(uint64_t ms);

  // Window coordinates.
  void Press(int x, int y);
  void Release(int x, int y);
  void Click(int x, int y);
  void DoubleClick(int x, int y);
  // The window point in the middle of a control of a layer; a click there.
  static std::pair<int, int> MiddleOf(const CHfcWindowLayer& layer, const CHfcControl& control);
  void ClickOn(const CHfcWindowLayer& layer, const CHfcControl& control);
  void Drag(int x, int y);
  // Characters typed into the control with key focus, then Return.
  void Type(const std::string& text, bool thenReturn = true);
  // One key (an X key symbol such as XK_Escape) pressed and let go.
  void Key(uint32_t keysym);

  // The composed window; a pixel of it.
  uint32_t WindowPixel(int x, int y);
  // Writes <build>/tests/pages/<name>.png and returns its path ("" on
  // failure): the composed window, or one layer's own picture.
  std::string RenderWindow(const std::string& name);
  std::string RenderLayer(CHfcWindowLayer& layer, const std::string& name);
  static std::string RenderDir();

 private:
  class Editor;

  TempDir config_;
  ScopedEnv configHome_{"XDG_CONFIG_HOME", config_.path()};
  TestEnvironment env_;
  os::midi::VirtualBus bus_;
  std::unique_ptr<SimSynthDevice> device_;
  std::unique_ptr<Oskend::CRemoteSynthImpl> model_;
  std::unique_ptr<Editor> editor_;
  bool managers_ = false;
};

}  // namespace vesk::test
