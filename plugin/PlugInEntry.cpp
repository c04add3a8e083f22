// The entry of the plug-in and its factory.
#include "plugin/PlugInEntry.h"

#include "plugin/CPlugInMainLoop.h"
#include "plugin/QuorelVst.h"

extern "C" AEffect* QD7EditorCreateEffectInstance(audioMasterCallback callback) {
  auto* plugin = new QuorelVst(callback);
  bool ok = false;
  // Start-up runs on the main thread that the instance's objects belong to.
  if (CPlugInMainLoop* loop = plugin->GetMainLoop())
    loop->Call([&] { ok = plugin->Initialize(); });
  else
    ok = plugin->Initialize();
  if (!ok || !plugin->getEditor()) {
    delete plugin;
    return nullptr;
  }
  return plugin->getAeffect();
}

extern "C" AEffect* VSTPluginMain(audioMasterCallback callback) {
  if (!callback || callback(nullptr, audioMasterVersion, 0, 0, nullptr, 0) == 0) return nullptr;
  return QD7EditorCreateEffectInstance(callback);
}
