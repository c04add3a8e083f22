#pragma once
// A sound as a view on the image: it holds no bytes of its own, so every
// change to the image shows through it and every write lands in the image.
#include "model/ISound.h"

class CSoundImpl : public Oskend::ISound {
 public:
  static constexpr unsigned kNameLength = 24;

  // A null data pointer gives an empty sound.
  void Init(void* data, unsigned size);

  std::string GetName() const override;
  unsigned RawSize() const override;
  unsigned RawGet(void* buffer, unsigned offset, unsigned count) const override;
  unsigned RawPut(const void* buffer, unsigned offset, unsigned count) override;

 private:
  unsigned Span(const void* buffer, unsigned offset, unsigned count) const;

  unsigned char* data_ = nullptr;
  unsigned size_ = 0;
};
