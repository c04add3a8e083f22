#pragma once
// What a section needs of the model that owns it. Getters read plain
// fields and may be called on any thread.
#include "model/ChunkRemoteSynth.h"
#include "model/eBankID.h"
#include "model/eMode.h"

class IAsyncDispatch;

namespace Oskend {
class IRemoteMIDI;

// External clock/control source, bits 1-3 of global byte 1730.
enum MIDIClock : int {};
// Bank select map of the global block, 0 or 1.
enum BankMap : int {};
}  // namespace Oskend

class IHostProxy {
 public:
  virtual ~IHostProxy() = default;

  virtual IAsyncDispatch* GetDisp() = 0;
  // Model variant with which the tables are prepared.
  virtual unsigned char GetPMID() = 0;
  virtual eMode GetRemoteMode() = 0;
  virtual int GetRemoteVirtualMode() = 0;
  // 0 combination, 2 program.
  virtual int GetRemoteSoundMode() = 0;
  virtual int GetRemoteTempo() = 0;
  virtual Oskend::IRemoteMIDI* GetRemoteMidi() = 0;
  virtual Oskend::CHUNK_REMOTESYNTH GetRawChunk() = 0;
  virtual Oskend::CHUNK_REMOTESYNTH GetRawChunkROM() = 0;
  virtual void SetExtCtlState(Oskend::MIDIClock clock) = 0;
  virtual void SetBankMap(Oskend::BankMap map) = 0;
  virtual void SetGlobalChannel(int channel) = 0;
  virtual bool GetStandAlone() = 0;
  // The stored program of bank 0..3, number 0..127, in the working image;
  // null for any other bank or number (never another program).
  virtual Oskend::CHUNK_PROG GetProgramBankFromStorage(Oskend::eBankID bank) = 0;
  virtual Oskend::CHUNK_PROG GetProgramFromStorage(Oskend::eBankID bank, int number) = 0;
  virtual bool SetProgramToStorage(Oskend::eBankID bank, int number,
                                   Oskend::CHUNK_PROG_CONST src) = 0;
  virtual Oskend::CHUNK_PROG GetProgramFromBuffer(Oskend::CHUNK_REMOTESYNTH image,
                                                  Oskend::eBankID bank, int number) = 0;
  virtual void LoadProgramFromStorage(Oskend::CHUNK_PROG dst, Oskend::CHUNK_PROG_CONST src) = 0;
};
