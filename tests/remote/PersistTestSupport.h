#pragma once
// Images and chunks for the data-file tests.
#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/CDirtyFlagSet.h"
#include "model/ChunkRemoteSynth.h"
#include "remote/Persist.h"

namespace vesk::test {

// A whole image owned by the test.
class TestImage {
 public:
  // Every byte set from its offset and the seed, so ranges copied to the
  // wrong place or from the wrong image show up.
  explicit TestImage(std::uint8_t seed = 0) : bytes_(Oskend::CHUNK_REMOTESYNTH::kSize) {
    for (std::size_t i = 0; i < bytes_.size(); ++i)
      bytes_[i] = static_cast<std::uint8_t>((i * 7 + (i >> 9) + seed * 101) & 0xFF);
    SetCurProgBank(seed % 4);
  }
  static TestImage Random(unsigned seed) {
    TestImage image;
    std::mt19937 rng(seed);
    for (auto& b : image.bytes_) b = static_cast<std::uint8_t>(rng());
    image.SetCurProgBank(seed % 4);
    return image;
  }

  Oskend::CHUNK_REMOTESYNTH view() { return Oskend::CHUNK_REMOTESYNTH(bytes_.data()); }
  std::vector<std::uint8_t>& bytes() { return bytes_; }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  void SetCurProgBank(unsigned bank) {
    bytes_[Oskend::RemoteSynthLayout::kCurProg] = static_cast<std::uint8_t>(bank);
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Filter of a bank chunk that holds everything, the global block included.
inline Oskend::FXBFILTERINFO FullFilter() {
  Oskend::FXBFILTERINFO f;
  f.bytes[Oskend::FXBFILTERINFO::kCombiCount] = 20;
  f.bytes[Oskend::FXBFILTERINFO::kBankMask] = 0x8F;
  f.bytes[Oskend::FXBFILTERINFO::kAllSelected] = 0x80;
  f.bytes[Oskend::FXBFILTERINFO::kProgCount] = 128;
  f.bytes[Oskend::FXBFILTERINFO::kGlobal] = 1;
  return f;
}

inline std::string Save(TestImage& image, Oskend::FTYPE type,
                        const Oskend::FXBFILTERINFO& filter = FullFilter()) {
  Oskend::PERSISTPARAMS params;
  params.type = type;
  params.image = image.view();
  params.filter = filter;
  std::ostringstream out;
  if (!Oskend::PersistSaveStream(out, 0, &params)) return std::string();
  return out.str();
}

// Loads a chunk into the image; the result of the reader (exceptions pass).
inline bool Load(TestImage& image, const std::string& chunk, CDirtyFlagSet& dirty,
                 const Oskend::FXBFILTERINFO& wanted = FullFilter(), std::uint32_t index = 0,
                 Oskend::PERSISTPARAMS* out = nullptr) {
  Oskend::PERSISTPARAMS params;
  params.index = index;
  params.image = image.view();
  params.filter = wanted;
  std::istringstream in(chunk);
  const bool ok = Oskend::PersistLoadStream(in, 0, &params, dirty);
  if (out != nullptr) *out = params;
  return ok;
}

inline std::uint32_t BE32At(const std::string& s, std::size_t at) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(s.data() + at);
  return static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

inline void PutBE32(std::string& s, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (24 - 8 * i));
}

}  // namespace vesk::test
