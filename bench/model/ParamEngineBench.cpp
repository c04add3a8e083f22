#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "model/CParamTable.h"
#include "model/IAccessorI.h"
#include "model/IStringConverter.h"

namespace {

const SParamDesc kRows[] = {
    {"Level", "", 10, PTYPE_CONT, ATYPE_UBF8, 3, 0, 6, 100, 0, 127, 0, 0, "%.0f,v",
     nullptr, nullptr, nullptr},
    {"Delay", "", 11, PTYPE_CONT, ATYPE_UBF8, 4, 0, 7, 1, 1, 49, 0, 0,
     "1~49\t20~980\t%.0f,v", nullptr, nullptr, nullptr},
    {"Type", "", 12, PTYPE_ENUM, ATYPE_UBF8FXBUS2, 5, 0, 7, 0, 0, 0, 0, 0,
     "0\tL/R\n1\tIFX1\n2\tIFX2\n12\tOff", nullptr, nullptr, nullptr},
    {"Pitch", "", 13, PTYPE_CONT, ATYPE_SBF16B, 6, 0, 13, 0, -8192, 8191, 0, 0,
     "%+.0f,v", nullptr, nullptr, nullptr},
};
const TABLEDESC kDesc{kRows, 4};

// What a section does for GetParamI/PutParamI: find the row by id, check
// the range, write, read back.
int PutParamI(const CParamTable& table, void* block, int id, int value) {
  int32_t index = table.FindIndex(id);
  if (index < 0) return 0;
  const SParamDesc& row = *table.GetRow(index);
  if (value < row.min) value = row.min;
  if (value > row.max) value = row.max;
  return static_cast<IAccessorI*>(row.accessor)->Put(block, row.offset, value);
}

int GetParamI(const CParamTable& table, const void* block, int id) {
  int32_t index = table.FindIndex(id);
  if (index < 0) return 0;
  const SParamDesc& row = *table.GetRow(index);
  return static_cast<IAccessorI*>(row.accessor)->Get(block, row.offset);
}

void BM_ParamRoundTrip(benchmark::State& state) {
  const CParamTable& table = *CParamTable::GetInstance(kDesc, 0);
  std::array<unsigned char, 64> block{};
  int id = 10 + static_cast<int>(state.range(0));
  int v = 0;
  for (auto _ : state) {
    PutParamI(table, block.data(), id, v & 63);
    benchmark::DoNotOptimize(GetParamI(table, block.data(), id));
    ++v;
  }
}
BENCHMARK(BM_ParamRoundTrip)->Arg(0)->Arg(2)->Arg(3);

void BM_ContFormat(benchmark::State& state) {
  const CParamTable& table = *CParamTable::GetInstance(kDesc, 0);
  const IStringConverter* conv = table.Rows()[1].converter;
  int v = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(conv->Format(v));
    v = v % 49 + 1;
  }
}
BENCHMARK(BM_ContFormat);

void BM_ContParse(benchmark::State& state) {
  const CParamTable& table = *CParamTable::GetInstance(kDesc, 0);
  const IStringConverter* conv = table.Rows()[1].converter;
  const char* texts[] = {"20", "500", "980", "333"};
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(conv->Parse(texts[i]));
    i = (i + 1) & 3;
  }
}
BENCHMARK(BM_ContParse);

}  // namespace
