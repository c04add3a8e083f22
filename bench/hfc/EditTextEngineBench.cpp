#include <benchmark/benchmark.h>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcEditTextEngine.h"
#include "hfc/CHfcOffscreenContext.h"

namespace {

constexpr char kTyped[] =
    "Warm analog pad with slow attack, detuned saw pair, low-pass sweep and long chorus tail 0123456";
static_assert(sizeof kTyped - 1 >= 90, "about a hundred characters");

// Typing 100 characters into an empty field and redrawing the field after
// each one, as an edit control does on every keystroke.
void TypeAndRedraw(benchmark::State& state, bool proportional) {
  ResourceManager::Initialize();
  FontManager::Initialize();
  tagHfcBmpFontInfo* font = FontManager::mInstance->GetBmpFontInfo(FontManager::FontName_Geneva9);
  CHfcOffscreenContext dc(700, 16);
  CHfcEditTextEngine engine(nullptr, 0);
  engine.SetDrawParameters(font->bmp, 0x2B0000FF, 0xFF000000, 0, 0, 100);
  engine.SetProportional(proportional);
  engine.SetProportionalFont(font);
  engine.SetTextColor(0xFF000000);
  for (auto _ : state) {
    engine.SetText("");
    for (int i = 0; i < 100; ++i) {
      engine.Input(kTyped[i % (sizeof kTyped - 1)]);
      dc.ClearRect(0, 0, 700, 16);
      engine.Draw(&dc, 2, 3, 696, 10);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 100);
  FontManager::Uninitialize();
  ResourceManager::Uninitialize();
}

void BM_EditTextEngineType100Proportional(benchmark::State& state) { TypeAndRedraw(state, true); }
BENCHMARK(BM_EditTextEngineType100Proportional)->Unit(benchmark::kMicrosecond);

void BM_EditTextEngineType100FixedCells(benchmark::State& state) { TypeAndRedraw(state, false); }
BENCHMARK(BM_EditTextEngineType100FixedCells)->Unit(benchmark::kMicrosecond);

}  // namespace
