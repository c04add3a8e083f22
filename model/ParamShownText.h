#pragma once
// The text a parameter shows for a value, made in one place: the editor's
// controls show it and the plug-in's host reads it as the parameter's
// display, so that the two never tell different values. Any thread may
// format a value (converters do not change); reading a section's value is
// for the thread that owns the image.
#include <string>

#include "model/paramdesc/SParamDesc.h"

namespace Oskend {

class ISection;

// The display pair (the long form, a NUL, the short form, a NUL) of value
// in row, held to the row's range as the section stores and reads it (a
// stored value outside the range reads as the nearest bound); empty
// without a converter.
std::string ParamShownText(const SParamDesc& row, int value);
// The display pair of the parameter's value now; a text row's text; the
// empty pair without the row.
std::string ParamShownText(ISection& section, int id);
// The long form of a display pair, the text a control shows.
std::string LongForm(const std::string& pair);

}  // namespace Oskend
