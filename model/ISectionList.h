#pragma once
// The sections of one kind that a sound section owns (the timbres).

namespace Oskend {

class ISection;

class ISectionList {
 public:
  virtual ~ISectionList() = default;
  virtual unsigned GetCount() = 0;
  // Null for an index at or beyond the count.
  virtual ISection* GetAt(unsigned index) = 0;
};

}  // namespace Oskend
