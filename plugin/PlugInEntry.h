#pragma once
// The plug-in's exported entry points. Hosts look for VSTPluginMain (older
// ones for main, which the shared object adds as another name of it). The
// host's thread that loads the plug-in; each returns once the instance is
// made, its start-up run on the loop thread.
#include "plugin/Vst2Abi.h"

#define VESK_PLUGIN_EXPORT __attribute__((visibility("default")))

extern "C" {
// Null when the host answers the version query with 0; otherwise what the
// factory returns.
VESK_PLUGIN_EXPORT AEffect* VSTPluginMain(audioMasterCallback callback);
// One new instance, or null (a second instance, a failed start).
VESK_PLUGIN_EXPORT AEffect* QD7EditorCreateEffectInstance(audioMasterCallback callback);
}
