#include "remote/PersistFormat.h"

#include <cstring>

#include "remote/CTavoArchiver.h"

namespace Oskend::persist {

namespace {

struct TagRow {
  FTYPE type;
  const char* tag;
  std::uint32_t minSize;
};

constexpr TagRow kTags[] = {
    {FTYPE::All, "tra ", 783424},      {FTYPE::Bank, "trx ", 0},
    {FTYPE::AllProgs, "trpa", 753692}, {FTYPE::AllCombis, "trca", 26668},
    {FTYPE::ProgBank, "trpb", 188444}, {FTYPE::Prog, "trp ", 1508},
    {FTYPE::Combi, "trc ", 1368},
};

const TagRow* RowOf(FTYPE nativeType) {
  for (const auto& row : kTags)
    if (row.type == nativeType) return &row;
  return nullptr;
}

Mark BankMark(unsigned bank) {
  return static_cast<Mark>(static_cast<unsigned>(Mark::Bank0) + bank);
}

FixedBody Body(std::initializer_list<BodyPart> parts, std::size_t padding, bool readPadding) {
  FixedBody body;
  for (const auto& p : parts) body.parts[body.count++] = p;
  body.padding = padding;
  body.readPadding = readPadding;
  return body;
}

}  // namespace

std::size_t FixedBody::DataSize() const {
  std::size_t n = 0;
  for (std::size_t i = 0; i < count; ++i) n += parts[i].size;
  return n;
}

FTYPE NativeType(FTYPE type) {
  switch (type) {
    case FTYPE::VSTBank:
      return FTYPE::Bank;
    case FTYPE::VSTProg:
      return FTYPE::Prog;
    case FTYPE::VSTCombi:
      return FTYPE::Combi;
    default:
      return RowOf(type) != nullptr ? type : FTYPE::None;
  }
}

FTYPE ContainerType(FTYPE nativeType) {
  for (const FTYPE vst : {FTYPE::VSTBank, FTYPE::VSTProg, FTYPE::VSTCombi})
    if (NativeType(vst) == nativeType) return vst;
  return FTYPE::None;
}

bool IsVSTType(FTYPE type) {
  const FTYPE native = NativeType(type);
  return native != FTYPE::None && native != type;
}

const char* TagOf(FTYPE nativeType) {
  const TagRow* row = RowOf(nativeType);
  return row != nullptr ? row->tag : nullptr;
}

FTYPE TypeOfTag(const std::uint8_t* tag) {
  for (const auto& row : kTags)
    if (std::memcmp(tag, row.tag, 4) == 0) return row.type;
  return FTYPE::None;
}

std::uint32_t MinChunkSize(FTYPE nativeType) {
  const TagRow* row = RowOf(nativeType);
  return row != nullptr ? row->minSize : 0;
}

BodyPart CombisPart(unsigned n) { return {L::kCombis, n * L::kCombiSize, Mark::Combis}; }

BodyPart BankPart(unsigned bank, unsigned n) {
  return {L::kProgBanks + bank * L::kProgBankSize, n * L::kProgSize, BankMark(bank)};
}

std::optional<FixedBody> FixedBodyOf(FTYPE nativeType, unsigned bank) {
  const BodyPart combis = CombisPart(L::kCombiCount);
  const auto bankPart = [](unsigned b) { return BankPart(b, L::kProgsPerBank); };
  const BodyPart curCombi{L::kCurCombi, CHUNK_CURSOUND::kSize, Mark::CurSound};
  const BodyPart combiEdit{L::kCombiEditBuffer, CHUNK_COMBI::kSize, Mark::CurSound};
  switch (nativeType) {
    case FTYPE::All:
      return Body({combis, bankPart(0), bankPart(1), bankPart(2), bankPart(3), combiEdit,
                   kGlobalPart, curCombi},
                  20, true);
    case FTYPE::AllProgs:
      return Body({bankPart(0), bankPart(1), bankPart(2), bankPart(3)}, 4, false);
    case FTYPE::AllCombis:
      return Body({combis}, 4, false);
    case FTYPE::ProgBank:
      if (bank >= L::kProgBankCount) return std::nullopt;
      return Body({bankPart(bank)}, 4, false);
    case FTYPE::Prog:
      return Body({{L::kProgEditBuffer, CHUNK_PROG::kSize, Mark::CurSound},
                   {L::kCurProg, CHUNK_CURSOUND::kSize, Mark::CurSound}},
                  4, false);
    case FTYPE::Combi:
      return Body({combiEdit, curCombi}, 4, false);
    default:
      return std::nullopt;
  }
}

std::size_t MaxArchiveBlockSize(std::size_t n) { return n + CTavoArchiver::getHeaderSize(); }

std::size_t MaxBankBodySize() {
  std::size_t n = FXBFILTERINFO::kSize;
  n += 4 + MaxArchiveBlockSize(L::kCombisSize);
  n += L::kProgBankCount * (4 + MaxArchiveBlockSize(L::kProgBankSize));
  n += kCombiEditPart.size + kGlobalPart.size + kGlobalTrailer + kCurCombiPart.size;
  return n + 3;
}

std::uint32_t ReadBE32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

void WriteBE32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v >> 24);
  p[1] = static_cast<std::uint8_t>(v >> 16);
  p[2] = static_cast<std::uint8_t>(v >> 8);
  p[3] = static_cast<std::uint8_t>(v);
}

}  // namespace Oskend::persist
