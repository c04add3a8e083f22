#pragma once
// What the data-file writer writes and where the reader reads into.
#include <cstdint>

#include "model/ChunkRemoteSynth.h"
#include "remote/FTYPE.h"
#include "model/FXBFILTERINFO.h"

namespace Oskend {

struct PERSISTPARAMS {
  FTYPE type = FTYPE::None;  // what to write; on reading, what the stream held
  std::uint32_t index = 0;   // bank 0..3 that a one-bank body is read into
  CHUNK_REMOTESYNTH image;   // written from, or read into
  FXBFILTERINFO filter;      // bank chunks: what to write / what to take
};

}  // namespace Oskend
