#pragma once
// What the program page tests share: a light edit-page background the size
// the root layer gives its pages, parameter changes as the simulated
// synthesizer logged them, and panel edits sent from the synthesizer.
#include <memory>
#include <vector>

#include "hfc/CHfcBmp.h"
#include "remote/CRemoteSynthImpl.h"
#include "tests/support/pageharness/PageHarness.h"

namespace progtest {

using vesk::test::PageHarness;
using vesk::test::SimSynth;
using vesk::test::SimSynthEvent;

// The main pages' width.
constexpr int kPageWidth = 850;
constexpr int kPageHeight = 400;

inline std::unique_ptr<CHfcBmp> PageBackground() {
  auto bmp = std::make_unique<CHfcBmp>();
  bmp->Create(kPageWidth, kPageHeight);
  uint32_t* px = bmp->LockPixels();
  for (int i = 0; i < kPageWidth * kPageHeight; ++i) px[i] = 0xFFDCDEE2u;
  bmp->UnlockPixels();
  return bmp;
}

inline std::vector<SimSynthEvent> ParamChanges(PageHarness& h) {
  std::vector<SimSynthEvent> out;
  for (const SimSynthEvent& e : h.device().Log())
    if (e.kind == SimSynthEvent::kParamChange) out.push_back(e);
  return out;
}

inline void ClearLog(PageHarness& h) {
  h.device().With([](SimSynth& s) { s.ClearLog(); });
}

inline void PanelEdit(PageHarness& h, int pid, int value) {
  std::vector<uint8_t> msg;
  h.device().With([&](SimSynth& s) { msg = s.PanelParamChange(3, pid, value); });
  h.device().Emit(msg);
}

}  // namespace progtest
