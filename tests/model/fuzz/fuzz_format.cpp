// Any format text through the format selection, the value-list and rule
// grammars, and formatting and parsing with the resulting converters.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model/CAccessorPool.h"
#include "model/CStringConverterCont.h"
#include "model/CStringConverterEnum.h"
#include "model/CParamTable.h"
#include "model/IAccessorI.h"
#include "model/mathutl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  int min = static_cast<int8_t>(data[0]) * 1000003;
  int max = min + data[1] * 65537;
  unsigned char pmid = data[2] & 3;
  std::string text(reinterpret_cast<const char*>(data) + 3, size - 3);
  std::string format = CParamTable::extractformatforpmid(text.c_str(), pmid);

  const int values[] = {INT_MIN, min - 1, min, 0, 1, 64, max, max + 1, INT_MAX};
  CStringConverterCont cont(pmid, min, max, format.c_str());
  for (int v : values) {
    std::string shown = cont.Format(v);
    cont.Parse(shown.c_str());
  }
  cont.Parse(text.c_str());

  CStringConverterEnum list(pmid, min, max, format.c_str());
  for (int v : values) list.Parse(list.Format(v).c_str());

  // Mapped accessor over the same value list, on a small block.
  auto* acc = static_cast<IAccessorI*>(CAccessorPool::Instance().Get(
      pmid, PTYPE_ENUM, ATYPE_UBF16L, data[0] & 31, data[1] & 31, format.c_str()));
  unsigned char block[8] = {};
  if (acc != nullptr)
    for (int v : values) acc->Get(block, acc->Put(block, 0, v) & 3);
  return 0;
}
