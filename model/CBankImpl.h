#pragma once
// A named bank of sounds laid end to end over one run of the image.
#include <string>
#include <vector>

#include "model/CSoundImpl.h"
#include "model/IBank.h"

class CBankImpl : public Oskend::IBank {
 public:
  // A null name gives the empty name.
  void Init(const char* name, unsigned count, void* data, unsigned bytes);
  // Appends `count` sounds of bytes / count bytes each, one after the other
  // from `data`; nothing when count is 0. Earlier GetAt pointers are invalid
  // afterwards.
  void AddSounds(unsigned count, void* data, unsigned bytes);

  std::string GetName() const override;
  unsigned GetCount() const override;
  Oskend::ISound* GetAt(unsigned index) override;

 private:
  std::vector<CSoundImpl> sounds_;
  std::string name_;
};
