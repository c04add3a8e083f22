#pragma once
// One exchange with the synthesizer as a session runs it: what to send (a
// header, then optionally data to pack and an F7), whether and how to show
// progress, what answer to wait for and for how long. The factories give
// every request and dump the editor sends.
#include <cstdint>
#include <vector>

#include "remote/SXExpect.h"

namespace Oskend {

struct SXRequest {
  // Session kind flags.
  static constexpr unsigned kSend = 1;
  static constexpr unsigned kSendProgress = 2;  // "Transmitting..."
  static constexpr unsigned kWait = 4;
  static constexpr unsigned kRecvProgress = 8;  // "Receiving..."

  unsigned flags = 0;
  // The whole message when there is no data; else the header, after which
  // the data goes out packed and an F7 ends it.
  std::vector<uint8_t> header;
  const uint8_t* data = nullptr;
  unsigned dataLen = 0;
  unsigned rxExpected = 0;  // length of the awaited reply, for its progress
  SXExpect expect;
  unsigned timeoutMs = 0;  // 0: the session's default

  unsigned WireSize() const;  // what the send progress counts up to
  std::vector<uint8_t> Wire() const;

  static SXRequest Identity();
  static SXRequest ModeAndState(uint8_t ch);
  // foreignPort: the output is not the synthesizer's own port, so the
  // transfer is slow enough to deserve a progress window.
  static SXRequest CurProgDumpReq(uint8_t ch, bool wait, bool foreignPort);
  static SXRequest CurCombiDumpReq(uint8_t ch, bool wait, bool foreignPort);
  static SXRequest ProgDumpReq(uint8_t ch, int bank, int prog);  // prog < 0: whole bank
  static SXRequest CombiDumpReq(uint8_t ch, int bank, int num);  // num < 0: all combinations
  static SXRequest GlobalDumpReq(uint8_t ch);
  static SXRequest ProgWriteReq(uint8_t ch, int bank, int prog);
  static SXRequest CombiWriteReq(uint8_t ch, int bank, int num);
  static SXRequest ProgBankStoreReq(uint8_t ch, int bank);
  static SXRequest CombiBankStoreReq(uint8_t ch);
  static SXRequest CurProgDump(uint8_t ch, const void* data, unsigned len, bool foreignPort);
  static SXRequest CurCombiDump(uint8_t ch, const void* data, unsigned len, bool foreignPort);
  // prog < 0: a whole bank of len bytes; else one program (at most 1472
  // bytes of data are read).
  static SXRequest ProgDump(uint8_t ch, int bank, int prog, const void* data, unsigned len, bool foreignPort);
  // num < 0: combinations of the bank (all of them for bank 0).
  static SXRequest CombiDump(uint8_t ch, int bank, int num, const void* data, unsigned len, bool foreignPort);
  static SXRequest GlobalDump(uint8_t ch, const void* data, unsigned len);
  static SXRequest ModeChange(uint8_t ch, uint8_t mode);
  static SXRequest ParamChange(uint8_t ch, uint8_t section, int id, int value);
  static SXRequest SysExFilterQuery(uint8_t ch);
  static SXRequest SysExFilterSet(uint8_t ch, bool on);
  static SXRequest MasterVolume(uint8_t ch, unsigned volume);

  static constexpr unsigned kWriteTimeoutMs = 10000;
  static constexpr unsigned kIdentityTimeoutMs = 1000;
  static constexpr unsigned kModeChangeTimeoutMs = 5000;
};

}  // namespace Oskend
