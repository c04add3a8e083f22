#pragma once
// One effect slot's 64-byte parameter block, described by the table of the
// slot's current effect type. Serves the insert slots; the master and total
// slots derive from it with their own type lists.
#include <atomic>
#include <cstdint>
#include <span>

#include "model/CSectionImplBaseT.h"
#include "model/ISection.h"

class CFXSectionImpl : public CSectionImplBaseT<CFXSectionImpl, Oskend::ISection> {
 public:
  static constexpr unsigned kBlockSize = 64;
  static constexpr unsigned kGEQType = 8;

  CFXSectionImpl();

  void Init(IHostProxy* host, unsigned type, int midiId, int idBase, std::uint8_t* block);
  // Keeps the type (within the slot's list) and re-selects its table and
  // default block; the data block is left alone and nothing is notified.
  // Safe to call on the MIDI thread while the main thread reads.
  void InitFXType(unsigned type);
  // A new effect type chosen for the slot: its default parameters over the
  // block, the type's table, then the pages re-read everything.
  void ApplyFXType(unsigned type);
  unsigned GetFXType() const { return m_type.load(std::memory_order_acquire); }

  void OnParamChanged(int id, eChgSource source) override;
  bool PrepareParamDesc(unsigned index, SParamDesc* out) override;

  // The band name of the seven-band equaliser for a model value (clamped
  // to the twelve models) and band 0..6.
  static const char* GEQBandName(int model, int band);

 protected:
  // A slot kind: its type tables and their 64-byte default blocks.
  CFXSectionImpl(const TABLEDESC* types, unsigned typeCount,
                 std::span<const std::uint8_t> defaults);

 private:
  const TABLEDESC* m_types;
  unsigned m_typeCount;
  std::span<const std::uint8_t> m_defaults;
  std::atomic<unsigned> m_type{0};
};
