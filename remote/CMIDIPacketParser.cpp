#include "remote/CMIDIPacketParser.h"

#include "os/ErrorReport.h"
#include "os/midi/MessageLength.h"
#include "remote/IMIDIInCallback.h"

namespace {

// MIDI time code is not passed on.
unsigned MessageLength(uint8_t status) {
  return status == 0xF1 ? 0 : os::midi::MessageLength(status);
}

}  // namespace

void CMIDIPacketParser::Reset() {
  state_ = kIdle;
  buffer_.clear();
  total_ = 0;
}

void CMIDIPacketParser::ParseList(const os::midi::PacketList& list, IMIDIIn* port,
                                  IMIDIInCallback* callback) {
  for (size_t i = 0; i < list.size(); ++i) {
    const os::midi::Packet p = list[i];
    if (p.length) ParsePacket(p.data, p.length, port, callback);
  }
  FlushFragment(port, callback);
}

void CMIDIPacketParser::ParsePacket(const uint8_t* data, size_t len, IMIDIIn* port,
                                    IMIDIInCallback* callback) {
  uint8_t msg[3];
  unsigned need = 0, have = 0;  // the short message being gathered
  for (size_t i = 0; i < len; ++i) {
    const uint8_t b = data[i];
    if (b >= 0xF8) {  // real time: may come between any two bytes
      if (MessageLength(b)) DeliverShort(&b, 1, port, callback);
      continue;
    }
    if (state_ != kIdle) {
      if (b < 0x80) {
        // Data bytes are taken as a run; room is kept for the closing F7.
        size_t end = i + 1;
        while (end < len && data[end] < 0x80) ++end;
        const size_t run = end - i;
        if (state_ == kSysex && total_ + run < kMaxSysexBytes) {
          buffer_.insert(buffer_.end(), data + i, data + end);
          total_ += run;
        } else if (state_ == kSysex) {
          state_ = kDiscard;
          buffer_.clear();
        }
        i = end - 1;
        continue;
      }
      const bool ended = b == 0xF7 && state_ == kSysex;
      if (ended) {
        buffer_.push_back(b);
        DeliverLong(port, callback);
      } else if (b == 0xF7) {
        // A message too long to keep ends for the receiver too, which has
        // its beginning: it drops it now (it is not of its kind's size)
        // rather than wait for an end and take the next message for more
        // of it.
        buffer_.assign(1, b);
        DeliverLong(port, callback);
      }
      buffer_.clear();
      total_ = 0;
      state_ = kIdle;
      if (b == 0xF7) continue;
      // Any other status byte ends the message unfinished; it is dropped
      // and the byte is taken as what it starts.
    }
    if (b == 0xF0) {
      need = have = 0;
      buffer_.assign(1, b);
      total_ = 1;
      state_ = kSysex;
    } else if (b >= 0x80) {
      need = MessageLength(b);
      have = 0;
      if (need) msg[have++] = b;
      if (need == 1) {
        DeliverShort(msg, 1, port, callback);
        need = have = 0;
      }
    } else if (have < need) {
      msg[have++] = b;
      if (have == need) {
        DeliverShort(msg, need, port, callback);
        need = have = 0;
      }
    }
    // Else a data byte without a status byte: skipped.
  }
}

void CMIDIPacketParser::FlushFragment(IMIDIIn* port, IMIDIInCallback* callback) {
  if (state_ == kSysex && buffer_.size() >= kFragmentBytes) {
    DeliverLong(port, callback);
    buffer_.clear();
  }
}

void CMIDIPacketParser::DeliverShort(const uint8_t* data, unsigned len, IMIDIIn* port,
                                     IMIDIInCallback* callback) {
  if (!callback) return;
  try {
    callback->OnMIDIShort(port, 0, data, len);
  } catch (...) {
    // A receiver's fault must not end the input thread.
    os::ReportCaughtException("CMIDIPacketParser::DeliverShort");
  }
}

void CMIDIPacketParser::DeliverLong(IMIDIIn* port, IMIDIInCallback* callback) {
  if (!callback || buffer_.empty()) return;
  try {
    callback->OnMIDILong(port, 0, buffer_.data(), static_cast<unsigned>(buffer_.size()));
  } catch (...) {
    // A receiver's fault must not end the input thread.
    os::ReportCaughtException("CMIDIPacketParser::DeliverLong");
  }
}
