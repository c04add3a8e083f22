#pragma once
// How a backend that takes one event at a time cuts what it is given: the
// bytes of a packet into its messages, each whole (a SysEx message, or what
// is left of one, cut at the piece size), and a SysEx send into pieces of
// the piece size. Small pieces let a long dump spread over many events
// instead of needing one buffer as large as itself.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace os::midi {

class OutputPieces {
 public:
  using Pieces = std::vector<std::vector<uint8_t>>;
  static Pieces Messages(const uint8_t* data, size_t length, size_t pieceBytes);
  static Pieces Sysex(const uint8_t* data, size_t length, size_t pieceBytes);
};

}  // namespace os::midi
