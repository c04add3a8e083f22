#pragma once
// The kinds of data file that the file dialogs offer, in the order they are
// offered: the text shown, the file-name pattern and what such a file holds.
#include "remote/FTYPE.h"

namespace Oskend {

struct PersistFileKind {
  const char* description;
  const char* pattern;
  FTYPE type;
};

inline constexpr PersistFileKind kPersistFileKinds[] = {
    {"All Data (*.VSKall)", "*.VSKall", FTYPE::All},
    {"All Program (*.VSKapr)", "*.VSKapr", FTYPE::AllProgs},
    {"Bank Program (*.VSKbpr)", "*.VSKbpr", FTYPE::ProgBank},
    {"Program (*.VSKpr)", "*.VSKpr", FTYPE::Prog},
    {"All Performance (*.VSKapf)", "*.VSKapf", FTYPE::AllCombis},
    {"Performance (*.VSKpf)", "*.VSKpf", FTYPE::Combi},
};

}  // namespace Oskend
