#include "os/midi/OutputPieces.h"

#include <algorithm>

#include "os/midi/PacketSplitter.h"

namespace os::midi {

OutputPieces::Pieces OutputPieces::Messages(const uint8_t* data, size_t length, size_t pieceBytes) {
  if (!data || length == 0) return {};
  return PacketSplitter(pieceBytes, false).Split(data, length);
}

OutputPieces::Pieces OutputPieces::Sysex(const uint8_t* data, size_t length, size_t pieceBytes) {
  Pieces out;
  if (!data) return out;
  pieceBytes = std::max<size_t>(pieceBytes, 1);
  for (size_t pos = 0; pos < length; pos += pieceBytes)
    out.emplace_back(data + pos, data + std::min(length, pos + pieceBytes));
  return out;
}

}  // namespace os::midi
