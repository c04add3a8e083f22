#pragma once
// What the tests of the performance and global pages share: the harness
// with the form registry started, a page picture of the editor's light
// grey, the parameter changes the simulated synthesizer received, and a
// change sent from its panel.
#include <memory>
#include <string>
#include <vector>

#include "editor/controls/UIFormManager.h"
#include "editor/shell/XESynthLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "model/eMode.h"
#include "remote/CRemoteSynthImpl.h"
#include "tests/support/pageharness/PageHarness.h"

namespace combitest {

using vesk::test::PageHarness;
using vesk::test::SimSynth;
using vesk::test::SimSynthEvent;

inline std::unique_ptr<CHfcBmp> PageBackground(int height = 400) {
  auto bmp = std::make_unique<CHfcBmp>();
  bmp->Create(PageHarness::kWidth, height);
  uint32_t* px = bmp->LockPixels();
  for (int i = 0; i < PageHarness::kWidth * height; ++i) px[i] = 0xFFDCDEE2u;
  bmp->UnlockPixels();
  return bmp;
}

// The form registry runs while the plug-in does; the harness starts the
// image cache and the fonts only.
struct Forms {
  Forms() { UIFormManager::Initialize(); }
  ~Forms() { UIFormManager::Uninitialize(); }
};

inline PageHarness::Options Performance() {
  PageHarness::Options o;
  o.programMode = false;
  return o;
}

// Puts the model (and the instrument) in performance mode.
inline void EnterPerformance(PageHarness& h) {
  h.model().PutMode(eMode_Combi);
  h.RunFor(500);
  h.Idle();
}

inline std::vector<SimSynthEvent> ParamChanges(PageHarness& h) {
  std::vector<SimSynthEvent> out;
  for (const SimSynthEvent& e : h.device().Log())
    if (e.kind == SimSynthEvent::kParamChange) out.push_back(e);
  return out;
}

inline void PanelChange(PageHarness& h, int section, int pid, int value) {
  std::vector<uint8_t> msg;
  h.device().With([&](SimSynth& s) { msg = s.PanelParamChange(static_cast<uint8_t>(section), pid, value); });
  h.device().Emit(msg);
  h.RunFor(100);
  h.Idle();
  h.Idle();
}

inline std::string Text(CHfcControl* c) {
  const char* t = c ? static_cast<const char*>(c->GetPtrValue()) : nullptr;
  return t ? t : "";
}

}  // namespace combitest
