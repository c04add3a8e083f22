#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"

namespace {

// Bitmap-font text, per character drawn.
void BM_BmpTextPerCharacter(benchmark::State& state) {
  ResourceManager::Initialize();
  FontManager::Initialize();
  tagHfcBmpFontInfo* font = FontManager::mInstance->GetBmpFontInfo(FontManager::FontName_Geneva9);
  CHfcOffscreenContext dc(400, 20);
  const char text[] = "Filter EG Intensity +63  Cutoff 127  Reso";
  const int length = static_cast<int>(sizeof text - 1);
  for (auto _ : state) {
    dc.DrawBmpTextProportional(2, 4, text, 396, font, 0xFFE0E0E0, false);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * length);
  FontManager::Uninitialize();
  ResourceManager::Uninitialize();
}
BENCHMARK(BM_BmpTextPerCharacter);

// System-font text of the same line, per character drawn.
void BM_SystemTextPerCharacter(benchmark::State& state) {
  CHfcOffscreenContext dc(400, 20);
  dc.SetFont("Geneva", 10.0f);
  dc.SetBrushColor(0xFFE0E0E0);
  const char text[] = "Filter EG Intensity +63  Cutoff 127  Reso";
  const int length = static_cast<int>(sizeof text - 1);
  for (auto _ : state) {
    dc.DrawText(2.0f, 14.0f, text, length);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * length);
}
BENCHMARK(BM_SystemTextPerCharacter);

// Decoding every generated skin picture once, as a cold start does.
void BM_LoadFullSkinSet(benchmark::State& state) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(ResourceManager::DefaultResourceDir())) {
    if (entry.path().extension() == ".png") files.push_back(entry.path().string());
  }
  std::vector<unsigned char> buffer(1 << 20);
  int64_t pixels = 0;
  for (auto _ : state) {
    pixels = 0;
    for (const std::string& file : files) {
      CHfcBmp bmp;
      if (!bmp.LoadPNGFromFile(file.c_str(), buffer.data(), buffer.size())) {
        state.SkipWithError(("cannot load " + file).c_str());
        return;
      }
      pixels += static_cast<int64_t>(bmp.GetWidth()) * bmp.GetHeight();
    }
  }
  state.counters["images"] = static_cast<double>(files.size());
  state.counters["pixels"] = static_cast<double>(pixels);
}
BENCHMARK(BM_LoadFullSkinSet)->Unit(benchmark::kMillisecond);

// One full 800 x 600 frame: a layer composed over the view.
void FullFrame(benchmark::State& state, bool withAlpha) {
  CHfcOffscreenContext view(800, 600);
  view.SetBrushColor(0xFF202428);
  view.FillRect(0, 0, 800, 600);
  CHfcOffscreenContext layer(800, 600);
  uint32_t* p = layer.GetBmp()->LockPixels();
  for (int i = 0; i < 800 * 600; ++i) p[i] = static_cast<uint32_t>(i * 2654435761u) | 0x40000000u;
  layer.GetBmp()->UnlockPixels();
  for (auto _ : state) {
    if (withAlpha) {
      view.CopyBmpAlpha(0, 0, 800, 600, layer.GetBmp(), 0.5f, 0, 0);
    } else {
      view.CopyBmp(0, 0, 800, 600, layer.GetBmp(), 0, 0);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}

void BM_OverBlend800x600(benchmark::State& state) { FullFrame(state, false); }
void BM_AlphaBlend800x600(benchmark::State& state) { FullFrame(state, true); }
BENCHMARK(BM_OverBlend800x600)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlphaBlend800x600)->Unit(benchmark::kMicrosecond);

}  // namespace
