#include "model/CAccessorPool.h"

#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <vector>

#include "model/CAccessorMapped.h"
#include "model/CAccessorStr.h"
#include "model/CAccessorUBF8.h"
#include "model/mathutl.h"
#include "os/Lock.h"

namespace {

using Key = std::tuple<unsigned, int, int, unsigned, unsigned, std::vector<int>>;

template <class T>
std::unique_ptr<IAccessorI> Make(bool mapped, unsigned low, unsigned high,
                                 std::vector<int> raw) {
  if (mapped) return std::make_unique<CAccessorMapped<T>>(low, high, std::move(raw));
  return std::make_unique<T>(low, high);
}

std::unique_ptr<IAccessorI> MakeNumeric(int atype, bool mapped, unsigned low,
                                        unsigned high, std::vector<int> raw) {
  switch (atype) {
    case ATYPE_UBF8: return Make<CAccessorUBF8>(mapped, low, high, std::move(raw));
    case ATYPE_UBF8SF2: return Make<CAccessorUBF8SF2>(mapped, low, high, std::move(raw));
    case ATYPE_UBF8DP: return Make<CAccessorUBF8DP>(mapped, low, high, std::move(raw));
    case ATYPE_UBF8DM: return Make<CAccessorUBF8DM>(mapped, low, high, std::move(raw));
    case ATYPE_CMBSTS: return Make<CAccessorCMBSTS>(mapped, low, high, std::move(raw));
    case ATYPE_SBF8: return Make<CAccessorSBF8>(mapped, low, high, std::move(raw));
    case ATYPE_SBF8C64: return Make<CAccessorSBF8C64>(mapped, low, high, std::move(raw));
    case ATYPE_SBF8C2: return Make<CAccessorSBF8C2>(mapped, low, high, std::move(raw));
    case ATYPE_UBF8FXBUS1: return Make<CAccessorUBF8FXBUS1>(mapped, low, high, std::move(raw));
    case ATYPE_UBF8FXBUS2: return Make<CAccessorUBF8FXBUS2>(mapped, low, high, std::move(raw));
    case ATYPE_UBF8FXBUS3: return Make<CAccessorUBF8FXBUS3>(mapped, low, high, std::move(raw));
    case ATYPE_UBF8FOOTSW: return Make<CAccessorUBF8FOOTSW>(mapped, low, high, std::move(raw));
    case ATYPE_UBF8FOOTPEDAL:
      return Make<CAccessorUBF8FOOTPEDAL>(mapped, low, high, std::move(raw));
    case ATYPE_UBF8MFX1TYPE:
      return Make<CAccessorUBF8MFX1TYPE>(mapped, low, high, std::move(raw));
    case ATYPE_UBF8MFX2TYPE:
      return Make<CAccessorUBF8MFX2TYPE>(mapped, low, high, std::move(raw));
    case ATYPE_UBF16B: return Make<CAccessorUBF16B>(mapped, low, high, std::move(raw));
    case ATYPE_SBF16B: return Make<CAccessorSBF16B>(mapped, low, high, std::move(raw));
    case ATYPE_UBF24B:  // continuous only
      return mapped ? nullptr : std::make_unique<CAccessorUBF24B>(low, high);
    case ATYPE_UBF32B: return Make<CAccessorUBF32B>(mapped, low, high, std::move(raw));
    case ATYPE_UBF32BSF4: return Make<CAccessorUBF32BSF4>(mapped, low, high, std::move(raw));
    case ATYPE_SBF32B: return Make<CAccessorSBF32B>(mapped, low, high, std::move(raw));
    case ATYPE_BNKPGM:  // continuous only
      return mapped ? nullptr : std::make_unique<CAccessorBNKPGM>(low, high);
    case ATYPE_UBF16L: return Make<CAccessorUBF16L>(mapped, low, high, std::move(raw));
    case ATYPE_SBF16L: return Make<CAccessorSBF16L>(mapped, low, high, std::move(raw));
    case ATYPE_UBF24L: return Make<CAccessorUBF24L>(mapped, low, high, std::move(raw));
    case ATYPE_SBF24L: return Make<CAccessorSBF24L>(mapped, low, high, std::move(raw));
    default: return nullptr;
  }
}

IAccessor* TextAccessor(int atype) {
  static CAccessorStr<16> str16;
  static CAccessorStr<24> str24;
  static CAccessorStrVZ<32> strvz32;
  static CAccessorStrV<256> strv256;
  switch (atype) {
    case ATYPE_STR16: return &str16;
    case ATYPE_STR24: return &str24;
    case ATYPE_STRVZ32: return &strvz32;
    case ATYPE_STRV256: return &strv256;
    default: return nullptr;
  }
}

}  // namespace

struct CAccessorPool::Impl {
  os::Lock lock;
  std::map<Key, std::unique_ptr<IAccessorI>> numeric;
};

CAccessorPool::CAccessorPool() : m_impl(new Impl) {}
CAccessorPool::~CAccessorPool() { delete m_impl; }

CAccessorPool& CAccessorPool::Instance() {
  static CAccessorPool pool;
  return pool;
}

IAccessor* CAccessorPool::Get(unsigned char pmid, PTYPE ptype, ATYPE atype,
                              unsigned low, unsigned high, const char* format) {
  bool mapped;
  switch (ptype) {
    case PTYPE_CONT:
    case PTYPE_CONTRANGE:
    case PTYPE_CONT10:
      mapped = false;
      break;
    case PTYPE_ENUM:
    case PTYPE_ENUMLONG:
    case PTYPE_ONOFF:
      mapped = true;
      break;
    case PTYPE_STRING:
      return TextAccessor(atype);
    default:
      return nullptr;
  }
  if (atype < ATYPE_UBF8 || atype > ATYPE_SBF24L) return nullptr;
  if (mapped && (atype == ATYPE_UBF24B || atype == ATYPE_BNKPGM)) return nullptr;

  std::vector<int> raw;
  if (mapped) mathutl::breakenumstring(format, &raw, nullptr, nullptr);
  Key key(pmid, ptype, atype, low, high, std::move(raw));

  std::lock_guard<os::Lock> guard(m_impl->lock);
  auto it = m_impl->numeric.find(key);
  if (it != m_impl->numeric.end()) return it->second.get();
  std::unique_ptr<IAccessorI> made = MakeNumeric(atype, mapped, low, high, std::get<5>(key));
  if (!made) return nullptr;
  IAccessorI* result = made.get();
  m_impl->numeric.emplace(std::move(key), std::move(made));
  return result;
}
