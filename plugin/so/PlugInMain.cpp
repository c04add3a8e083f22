// The other name older Linux hosts look the entry up by. It cannot be
// declared as a C function called main, so it takes that name at assembly
// level.
#include "plugin/PlugInEntry.h"

extern "C" VESK_PLUGIN_EXPORT AEffect* VeskPlugInMainAlias(audioMasterCallback callback) __asm__("main");

extern "C" AEffect* VeskPlugInMainAlias(audioMasterCallback callback) {
  return VSTPluginMain(callback);
}
