#pragma once
// A message received from the synthesizer, recognised and taken apart.
// Decode() works on the bytes from F0 up to (not including) F7; for dumps
// the caller passes the header separately from the unpacked data, as the
// receiver keeps them while a dump streams in.
#include <cstdint>
#include <vector>

#include "model/DEVICEINQUIRYDATA.h"
#include "model/MODEANDSTATE.h"

namespace Oskend {

enum class eSXKind {
  kNone,  // not recognised: no callback, no session end
  kIdentityReply,
  kMasterVolume,
  kStatus,
  kParamChange,
  kModeAndState,
  kModeChange,
  kSysExFilter,
  kCurProgDump,
  kCurCombiDump,
  kProgDump,       // bank dump: number -1
  kCombiDump,      // all combinations: number -1
  kGlobalDump,
};

struct SXDumpInfo {
  eSXKind kind = eSXKind::kNone;
  unsigned headerLen = 0;  // 9 or 12
  unsigned wireTotal = 0;  // F0 to F7
  unsigned dataSize = 0;   // unpacked
};

struct SXMessage {
  eSXKind kind = eSXKind::kNone;
  // The result a waiting session ends with (status codes; 0 otherwise).
  int result = 0;
  // Dumps: false when the data is not of the kind's exact size. Such a dump
  // is handed to no one; result is then kRemoteFailed.
  bool accepted = true;

  uint8_t channel = 0;  // identity reply: byte 2
  DEVICEINQUIRYDATA inquiry;
  MODEANDSTATE modeAndState;
  uint8_t mode = 0;
  uint8_t section = 0;
  int id = 0;
  int value = 0;
  unsigned volume = 0;
  int filterState = -1;  // 0x55 01 s: s; other 0x55 forms: -1
  int bank = 0;
  int number = 0;  // -1 for a whole bank
  const uint8_t* data = nullptr;
  unsigned size = 0;

  bool IsDump() const;

  // Recognises a dump from its first bytes (at least its header) on global
  // channel ch, so that its total size is known while it arrives.
  static bool IdentifyDump(const uint8_t* msg, unsigned len, uint8_t ch, SXDumpInfo* info);

  // msg: F0 up to the F7 (excluded); for dumps only the header is read
  // from msg and the unpacked bytes are data/dataLen.
  static SXMessage Decode(const uint8_t* msg, unsigned len, uint8_t ch, const uint8_t* data = nullptr,
                          unsigned dataLen = 0);

  // A whole message as it comes off the wire (F0 .. F7, the F7 optional):
  // dumps are unpacked into scratch, which must outlive the result.
  static SXMessage DecodeWire(const uint8_t* wire, unsigned len, uint8_t ch, std::vector<uint8_t>& scratch);
};

}  // namespace Oskend
