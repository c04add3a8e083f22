#include "model/CFXSectionImpl.h"

#include <algorithm>
#include <cstring>

#include "fxcatalog/FxTypeLists.h"
#include "model/InitChunks.h"

namespace {

const char* const SGEQ7LABELS[12][7] = {
    {"80Hz", "220Hz", "500Hz", "1kHz", "2.5kHz", "6.3kHz", "16kHz"},
    {"120Hz", "320Hz", "630Hz", "1.2kHz", "3.2kHz", "8kHz", "18kHz"},
    {"63Hz", "180Hz", "550Hz", "1.2kHz", "3.2kHz", "7.5kHz", "18kHz"},
    {"80Hz", "120Hz", "420Hz", "1.5kHz", "3kHz", "6.5kHz", "10kHz"},
    {"160Hz", "320Hz", "750Hz", "1.5kHz", "3kHz", "6kHz", "12kHz"},
    {"120Hz", "250Hz", "500Hz", "1kHz", "2kHz", "4kHz", "8kHz"},
    {"80Hz", "120Hz", "160Hz", "250Hz", "320Hz", "500Hz", "630Hz"},
    {"63Hz", "120Hz", "250Hz", "500Hz", "1kHz", "2kHz", "4kHz"},
    {"800Hz", "1kHz", "1.2kHz", "1.6kHz", "2.5kHz", "3.2kHz", "4kHz"},
    {"320Hz", "500Hz", "800Hz", "1.2kHz", "2kHz", "3.2kHz", "5kHz"},
    {"5kHz", "6.3kHz", "8kHz", "10kHz", "12.5kHz", "16kHz", "18kHz"},
    {"1kHz", "2kHz", "4kHz", "6.3kHz", "8kHz", "12.5kHz", "16kHz"},
};

}  // namespace

CFXSectionImpl::CFXSectionImpl()
    : CFXSectionImpl(Oskend::TABLEARRAY_FX, Oskend::kFxTypeCount, Oskend::VINITCHUNK_FX()) {}

CFXSectionImpl::CFXSectionImpl(const TABLEDESC* types, unsigned typeCount,
                               std::span<const std::uint8_t> defaults)
    : m_types(types), m_typeCount(typeCount), m_defaults(defaults) {}

void CFXSectionImpl::Init(IHostProxy* host, unsigned type, int midiId, int idBase,
                          std::uint8_t* block) {
  unsigned t = std::min(type, m_typeCount - 1);
  m_type.store(t, std::memory_order_release);
  Bind(host, m_types[t], midiId, idBase, block, kBlockSize,
       Oskend::InitFXEntry(m_defaults, t).data());
}

void CFXSectionImpl::InitFXType(unsigned type) {
  unsigned t = std::min(type, m_typeCount - 1);
  // The type first: a reader that sees the new table also sees its type.
  m_type.store(t, std::memory_order_release);
  Select(m_types[t], Oskend::InitFXEntry(m_defaults, t).data());
}

void CFXSectionImpl::ApplyFXType(unsigned type) {
  unsigned t = std::min(type, m_typeCount - 1);
  std::span<const std::uint8_t> defaults = Oskend::InitFXEntry(m_defaults, t);
  if (Data() != nullptr && defaults.size() >= kBlockSize)
    std::memcpy(Data(), defaults.data(), kBlockSize);
  InitFXType(t);
  OnReinitialized(nullptr);
}

void CFXSectionImpl::OnParamChanged(int id, eChgSource source) {
  PostEvent(kEventParamChanged, id);
  // The equaliser's model names its bands: the pages must re-read them.
  if (GetFXType() == kGEQType && (id & 0xFF) == 0) OnReinitialized(nullptr);
}

const char* CFXSectionImpl::GEQBandName(int model, int band) {
  model = std::clamp(model, 0, 11);
  return band >= 0 && band < 7 ? SGEQ7LABELS[model][band] : "";
}

bool CFXSectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CSectionImplBaseT::PrepareParamDesc(index, out)) return false;
  unsigned type = GetFXType();
  if ((out->id == 0x300 || out->id == 0x301 || out->id == 0x302) && type == 0) {
    out->flags |= PFLAG_HIDDEN;
    return true;
  }
  int band = (out->id & 0xFF) - 2;
  if (type == kGEQType && out->id != -1 && band >= 0 && band < 7)
    out->name = GEQBandName(GetParamI(IdBase()), band);
  return true;
}
