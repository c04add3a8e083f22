#pragma once
// Browsers opened in the page harness the way the editor opens them: the
// group opener puts a modal layer over the window, a strip on it and the
// page in the strip.
#include <memory>
#include <string>
#include <vector>

#include "editor/browsers/BlueBrowserData.h"
#include "editor/browsers/BrowserKit.h"
#include "editor/browsers/BrowserOpener.h"
#include "editor/controls/CTabControl.h"
#include "editor/shell/CTabPageLayer.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcVstEditor.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "model/ISound.h"
#include "os/Alert.h"
#include "tests/support/pageharness/PageHarness.h"

namespace browsertest {

using vesk::test::PageHarness;

// A harness with the shared sound-browser model and an opener over its
// window.
struct Bench {
  PageHarness h;  // constructed from the options below
  BlueBrowserData data{h.synth()};
  BrowserOpener opener{h.synth(), &h.window(), nullptr, &data};

  // By default the instrument is in program play, where the sound browser
  // auditions; the model reports program play as program edit.
  explicit Bench(int mode = 2, PageHarness::Options options = {}) : h(options) {
    os::HeadlessAlert::Reset();
    if (options.connect && h.synth()->GetMode() != mode) {
      h.synth()->PutMode(static_cast<eMode>(mode));
      for (int i = 0; i < 10 && h.synth()->GetMode() != mode; ++i) h.Idle(50);
    }
    // After a mode change the model asks the instrument for its current
    // sound (100 ms later): let that answer arrive before the test begins,
    // so that what the test sees is its own doing.
    for (int i = 0; i < 20; ++i) h.Idle(50);
  }
  ~Bench() { opener.CloseModalBrowser(); }

  template <typename T>
  T* Page() {
    return dynamic_cast<T*>(opener.GetPage());
  }
  // Window position of a point of the open page.
  int X(int x) { return opener.GetPage()->GetRect().left + x; }
  int Y(int y) { return opener.GetPage()->GetRect().top + y; }
  // A click in the middle of a control of the open page.
  void ClickControl(int id) { h.ClickOn(*opener.GetPage(), *opener.GetPage()->GetControlById(id)); }
  // One idle tick with the root layer's part: the model's queue and the
  // close of a finished group.
  void Idle(uint64_t ms = 0) {
    h.Idle(ms);
    data.OnIdle(0);
    opener.CloseIfDone();
  }
};

// The explanations of the message boxes shown since the last call.
inline std::vector<std::string> Alerts() {
  std::vector<std::string> out;
  for (const auto& s : os::HeadlessAlert::Transcript()) out.push_back(s.request.explanation);
  os::HeadlessAlert::Reset();
  return out;
}

// Names and category bytes of stored programs in the model, as a
// synchronised synthesizer would have them.
inline void SetProgram(Oskend::IRemoteSynth* synth, int bank, int number, const std::string& name,
                       uint8_t categoryByte) {
  Oskend::ISound* s = synth->GetAllSounds(2)->GetAt(bank)->GetAt(number);
  std::string padded = name;
  padded.resize(24, ' ');
  s->RawPut(padded.data(), 0, 24);
  s->RawPut(&categoryByte, 630, 1);
}

}  // namespace browsertest
