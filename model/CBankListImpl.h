#pragma once
// The banks of one kind of sound, laid end to end over one run of the image.
#include <vector>

#include "model/CBankImpl.h"
#include "model/IBankList.h"

class CBankListImpl : public Oskend::IBankList {
 public:
  // Appends nBanks banks of soundsPerBank sounds over bytes / nBanks bytes
  // each, one after the other from `data`. Bank i takes the i-th name of
  // `names`, a run of NUL-terminated names closed by an empty one; banks past
  // the last name (or with null names) get the empty name. Nothing is
  // appended when nBanks is 0. Earlier GetAt pointers are invalid afterwards.
  void AddBanks(unsigned nBanks, unsigned soundsPerBank, const char* names, void* data,
                unsigned bytes);

  unsigned GetCount() const override;
  Oskend::IBank* GetAt(unsigned index) override;

 private:
  std::vector<CBankImpl> banks_;
};
