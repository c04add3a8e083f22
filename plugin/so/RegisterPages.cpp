// The plug-in as hosts load it carries the edit pages: the root layer's
// program, performance and global strips hold them from the first opening
// of the editor on (the pages stand above the shell, which cannot reach
// them itself).
#include "editor/pages/combi_global/CombiGlobalRegistration.h"
#include "editor/pages/program/ProgramMainPages.h"

namespace {
const bool kPagesRegistered = (RegisterProgramMainPages(), RegisterCombiGlobalMainPages(), true);
}  // namespace
