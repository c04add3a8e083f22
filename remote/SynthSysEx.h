#pragma once
// The synthesizer's system-exclusive messages, byte by byte. Every own
// message starts with the six header bytes F0 42 3n 00 01 0C (n the global
// channel); byte 6 is the function code, byte 7 the kind for dumps and
// their requests. Pure: nothing here touches a port.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "remote/SXSig.h"

namespace Oskend {

class SynthSysEx {
 public:
  using Bytes = std::vector<uint8_t>;

  static constexpr uint8_t kManufacturer = 0x42;
  static constexpr unsigned kHdrLen = 6;

  // Function codes (byte 6).
  static constexpr uint8_t kFnModeAndStateReq = 0x12;
  static constexpr uint8_t kFnModeAndState = 0x42;
  static constexpr uint8_t kFnCurDumpReq = 0x74;
  static constexpr uint8_t kFnCurDump = 0x75;
  static constexpr uint8_t kFnDumpReq = 0x72;
  static constexpr uint8_t kFnDump = 0x73;
  static constexpr uint8_t kFnWriteReq = 0x77;
  static constexpr uint8_t kFnBankStoreReq = 0x76;
  static constexpr uint8_t kFnStatus = 0x24;
  static constexpr uint8_t kFnModeChange = 0x4E;
  static constexpr uint8_t kFnParamChange = 0x41;
  static constexpr uint8_t kFnSysExFilter = 0x55;

  // Kind byte (byte 7).
  static constexpr uint8_t kKindProg = 0x00;
  static constexpr uint8_t kKindCombi = 0x01;
  static constexpr uint8_t kKindGlobal = 0x03;
  static constexpr uint8_t kKindProgBank = 0x0F;
  static constexpr uint8_t kKindAllCombis = 0x11;

  // Unpacked data sizes.
  static constexpr unsigned kProgSize = 1472;
  static constexpr unsigned kCombiSize = 1332;
  static constexpr unsigned kGlobalSize = 1736;
  static constexpr unsigned kProgsPerBank = 128;
  static constexpr unsigned kProgBanks = 4;
  static constexpr unsigned kCombis = 20;
  static constexpr unsigned kProgBankSize = kProgsPerBank * kProgSize;  // 188416
  static constexpr unsigned kAllCombisSize = kCombis * kCombiSize;     // 26640

  // Header lengths of dumps: 9 for a current (edit buffer) dump, 12 else.
  static constexpr unsigned kCurDumpHdrLen = 9;
  static constexpr unsigned kDumpHdrLen = 12;

  // Lengths of the synthesizer's short replies, F0 to F7.
  static constexpr unsigned kIdentityReplyLen = 15;
  static constexpr unsigned kModeAndStateReplyLen = 13;
  static constexpr unsigned kStatusLen = 10;
  static constexpr unsigned kSysExFilterReplyLen = 10;
  static constexpr unsigned kParamChangeLen = 18;

  // Byte 8 of a current dump / byte 11 of a dump header.
  static constexpr uint8_t KindTail(uint8_t kind) {
    return (kind == kKindProg || kind == kKindProgBank) ? 0x00 : 0x24;
  }
  // Unpacked size of a dump kind; 0 for an unknown kind.
  static unsigned DataSize(uint8_t kind);
  // Whole wire length of a dump of this kind and data size.
  static unsigned DumpWireSize(bool current, unsigned dataLen);

  // The six header bytes, and signatures built from them.
  static Bytes Hdr(uint8_t ch);
  static SXSig Sig(uint8_t ch, std::initializer_list<uint8_t> after);
  // True when msg starts with the header of channel ch.
  static bool IsOwn(const uint8_t* msg, unsigned len, uint8_t ch);

  // Combination bank numbers above 6 travel as bank + 0x39.
  static uint8_t CombiBankToWire(int bank);
  static int CombiBankFromWire(uint8_t b);

  // Messages the editor sends.
  static Bytes IdentityRequest();
  static Bytes ModeAndStateReq(uint8_t ch);
  static Bytes CurDumpReq(uint8_t ch, uint8_t kind);
  static Bytes DumpReq(uint8_t ch, uint8_t kind, uint8_t bank, uint8_t num);
  static Bytes WriteReq(uint8_t ch, uint8_t kind, uint8_t bank, uint8_t num);
  static Bytes BankStoreReq(uint8_t ch, uint8_t kind, uint8_t bank);
  static Bytes ModeChange(uint8_t ch, uint8_t mode);
  static Bytes ParamChange(uint8_t ch, uint8_t section, int id, int value);
  static Bytes SysExFilter(uint8_t ch, uint8_t op, uint8_t value);
  static Bytes MasterVolume(uint8_t ch, unsigned volume);

  // Dump headers (the packed data and F7 follow).
  static Bytes CurDumpHeader(uint8_t ch, uint8_t kind);
  static Bytes DumpHeader(uint8_t ch, uint8_t kind, uint8_t bank, uint8_t num);
  // A whole dump: header, packed data, F7.
  static Bytes Dump(const Bytes& header, const void* data, unsigned len);

  // Program change: the short messages that select bank and program in the
  // synthesizer's mode. kRemoteFailed (nothing produced) for a mode without
  // program change or a bank the mode does not have.
  struct ShortMsg {
    uint8_t bytes[3];
    uint8_t len;
  };
  static int ProgramChange(int mode, int bank, int program, uint8_t ch, bool bankMap,
                           std::vector<ShortMsg>* out);
  // The bank a program change received on the global channel selects, from
  // the bank select bytes last received; false in modes without one.
  static bool ReceivedProgramBank(int mode, uint8_t msb, uint8_t lsb, int* bank);

  // Parameter change fields (bytes 8-11 id, 12-16 value).
  static void PutParamId(uint8_t* p, int id);
  static void PutParamValue(uint8_t* p, int value);
  static int GetParamId(const uint8_t* p);
  static int GetParamValue(const uint8_t* p);
};

}  // namespace Oskend
