// Feeds streams to the data-file reader. The first byte chooses the stream:
// even values take the rest of the input as it is; odd values take a sound
// chunk of one of the kinds and apply the rest as (offset, value) edits and
// a cut, so the fuzzer reaches deep into the bodies. Whatever the stream,
// the reader must either load it or throw fileioerror without touching the
// image.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "model/CDirtyFlagSet.h"
#include "remote/Persist.h"

namespace {

using Oskend::FTYPE;

std::vector<std::uint8_t> PatternImage() {
  std::vector<std::uint8_t> image(Oskend::CHUNK_REMOTESYNTH::kSize);
  for (std::size_t i = 0; i < image.size(); ++i)
    image[i] = static_cast<std::uint8_t>(i * 7 + (i >> 9));
  image[Oskend::RemoteSynthLayout::kCurProg] = 1;
  return image;
}

const std::vector<std::string>& SoundChunks() {
  static const std::vector<std::string> chunks = [] {
    std::vector<std::uint8_t> image = PatternImage();
    Oskend::PERSISTPARAMS params;
    params.image = Oskend::CHUNK_REMOTESYNTH(image.data());
    params.filter.bytes = {0, 0, 2, 0, 0, 0x0A, 0, 3, 0, 0, 1, 0};
    std::vector<std::string> out;
    for (const FTYPE type : {FTYPE::Bank, FTYPE::VSTBank, FTYPE::Prog, FTYPE::VSTProg, FTYPE::Combi,
                             FTYPE::VSTCombi, FTYPE::AllCombis}) {
      params.type = type;
      std::ostringstream s;
      if (!Oskend::PersistSaveStream(s, 0, &params)) std::abort();
      out.push_back(s.str());
    }
    return out;
  }();
  return chunks;
}

std::string MakeStream(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || (data[0] & 1) == 0)
    return std::string(reinterpret_cast<const char*>(data) + (size != 0), size - (size != 0));
  const auto& chunks = SoundChunks();
  std::string s = chunks[(data[0] >> 1) % chunks.size()];
  std::size_t i = 1;
  if (i + 2 <= size) {  // cut
    const std::size_t cut = static_cast<std::size_t>(data[i]) << 8 | data[i + 1];
    if (cut != 0 && cut < s.size()) s.resize(s.size() - cut);
    i += 2;
  }
  for (; i + 3 <= size && !s.empty(); i += 3) {
    const std::size_t at = (static_cast<std::size_t>(data[i]) << 8 | data[i + 1]) % s.size();
    s[at] = static_cast<char>(data[i + 2]);
  }
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > (1u << 20)) return 0;
  static std::vector<std::uint8_t> image = PatternImage();
  static const std::vector<std::uint8_t> pristine = PatternImage();
  const std::string stream = MakeStream(data, size);

  std::istringstream find(stream);
  Oskend::FTYPE type;
  unsigned char extra;
  Oskend::PersistFindStreamType(find, &type, &extra);

  Oskend::PERSISTPARAMS params;
  params.image = Oskend::CHUNK_REMOTESYNTH(image.data());
  params.index = size > 1 ? data[size - 1] % 5 : 0;  // 4 must be refused
  params.filter.bytes = {
      0, 0,   20, 0, 0, static_cast<std::uint8_t>(size > 2 ? data[size - 2] : 0x80),
      0, 128, 0,  0, 0, 0};
  CDirtyFlagSet dirty;
  std::istringstream in(stream);
  try {
    Oskend::PersistLoadStream(in, 0, &params, dirty);
  } catch (const Oskend::fileioerror&) {
    if (dirty.isDirty() || image != pristine) std::abort();
  }
  image = pristine;
  return 0;
}
