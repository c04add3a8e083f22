#pragma once
// What the setup section asks of the plug-in object about its host.

namespace Oskend {

class IPlugInHostInfo {
 public:
  virtual ~IPlugInHostInfo() = default;
  // Inside the standalone host program.
  virtual bool IsHostStandalone() = 0;
  // Inside the plug-in's audio-unit edition.
  virtual bool IsHostAUWrapper() = 0;
};

}  // namespace Oskend
