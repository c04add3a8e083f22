#pragma once
// Receives a section's notices, always on the main thread.

namespace Oskend {

class ISection;

class ISectionSink {
 public:
  virtual ~ISectionSink() = default;
  virtual void OnSectionReinitialized(ISection* section) = 0;
  virtual void OnSectionParamPropsChanged(ISection* section, int id) = 0;
  virtual void OnSectionParamChanged(ISection* section, int id) = 0;
};

}  // namespace Oskend
