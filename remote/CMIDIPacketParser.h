#pragma once
// Turns the packet lists of an input back into single short messages and
// whole SysEx messages. A SysEx message may run over many packets and
// lists; once 4097 bytes or more have gathered at the end of a list they
// are handed on as a fragment, so a long dump arrives piecewise (first
// fragment from F0, last up to F7) and the buffer stays small.
//
// Faults on the line are contained: an F0 inside an unfinished SysEx drops
// the old message and starts a new one; any other status byte except the
// real-time ones ends (drops) an unfinished SysEx; real-time bytes are
// delivered wherever they appear and never stored into a message; a message
// longer than the largest the synthesizer sends is dropped: the fragments
// handed on stay short of it, and its F7 follows them alone. Short messages
// must be whole within one packet (running status is not supported).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "os/midi/PacketList.h"

class IMIDIIn;
class IMIDIInCallback;

class CMIDIPacketParser {
 public:
  static constexpr size_t kFragmentBytes = 4097;
  static constexpr size_t kMaxSysexBytes = 215346;  // a whole program bank dump

  void Reset();
  // Callbacks get `port` as the reading port; a null callback only parses.
  void ParseList(const os::midi::PacketList& list, IMIDIIn* port, IMIDIInCallback* callback);
  void ParsePacket(const uint8_t* data, size_t len, IMIDIIn* port, IMIDIInCallback* callback);
  // Hands on the gathered part of a long SysEx once it reached kFragmentBytes.
  void FlushFragment(IMIDIIn* port, IMIDIInCallback* callback);
  bool InsideSysex() const { return state_ != kIdle; }

 private:
  enum State { kIdle, kSysex, kDiscard };

  void DeliverShort(const uint8_t* data, unsigned len, IMIDIIn* port, IMIDIInCallback* callback);
  void DeliverLong(IMIDIIn* port, IMIDIInCallback* callback);

  State state_ = kIdle;
  std::vector<uint8_t> buffer_;
  size_t total_ = 0;  // bytes of the current SysEx so far, handed on or not
};
