#include "model/ParamShownText.h"

#include <algorithm>

#include "model/ISection.h"
#include "model/IStringConverter.h"

namespace Oskend {

std::string ParamShownText(const SParamDesc& row, int value) {
  if (!row.converter) return std::string();
  return row.converter->Format(std::max(row.min, std::min(value, row.max)));
}

std::string ParamShownText(ISection& section, int id) {
  SParamDesc row{};
  if (!section.GetParamDesc(id, &row) || row.ptype == PTYPE_NONE) return std::string(2, '\0');
  if (row.ptype == PTYPE_STRING) return section.GetParamS(id);
  return ParamShownText(row, section.GetParamI(id));
}

std::string LongForm(const std::string& pair) { return pair.substr(0, pair.find('\0')); }

}  // namespace Oskend
