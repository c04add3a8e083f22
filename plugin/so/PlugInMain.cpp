// The other name older Linux hosts look the entry up by. It cannot be
// declared as a C function called main, so it takes that name at assembly
// level.
#include "editor/pages/combi_global/CombiGlobalRegistration.h"
#include "editor/pages/program/ProgramMainPages.h"
#include "plugin/PlugInEntry.h"

// The shared object is where the page libraries meet the root layer: the
// strips get their pages as soon as the object is loaded.
namespace {
const bool g_pagesRegistered = [] {
  RegisterProgramMainPages();
  RegisterCombiGlobalMainPages();
  return true;
}();
}  // namespace

extern "C" VESK_PLUGIN_EXPORT AEffect* VeskPlugInMainAlias(audioMasterCallback callback) __asm__("main");

extern "C" AEffect* VeskPlugInMainAlias(audioMasterCallback callback) {
  return VSTPluginMain(callback);
}
