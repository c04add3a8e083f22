#include "model/CStringConverterPool.h"

#include <map>
#include <memory>
#include <mutex>

#include "model/CStringConverterCont.h"
#include "model/CStringConverterEnum.h"
#include "model/CStringConverterStr.h"
#include "model/mathutl.h"
#include "os/Lock.h"

std::string CStringConverterPool::SCDESC::tostring() const {
  std::string key = mathutl::formatstring("%u,%u,%d,%d,", unsigned(pmid), unsigned(ptype), min, max);
  if (format != nullptr) key += format;
  return key;
}

struct CStringConverterPool::Impl {
  os::Lock lock;
  std::map<std::string, std::unique_ptr<IStringConverter>> converters;
};

CStringConverterPool::CStringConverterPool() : m_impl(new Impl) {}
CStringConverterPool::~CStringConverterPool() { delete m_impl; }

CStringConverterPool& CStringConverterPool::Instance() {
  static CStringConverterPool pool;
  return pool;
}

IStringConverter* CStringConverterPool::Get(unsigned char pmid, PTYPE ptype, int min, int max,
                                            const char* format) {
  std::string key = SCDESC{pmid, ptype, min, max, format}.tostring();
  std::lock_guard<os::Lock> guard(m_impl->lock);
  auto it = m_impl->converters.find(key);
  if (it != m_impl->converters.end()) return it->second.get();
  std::unique_ptr<IStringConverter> made;
  switch (ptype) {
    case PTYPE_CONT:
    case PTYPE_CONTRANGE:
    case PTYPE_CONT10:
      made = std::make_unique<CStringConverterCont>(pmid, min, max, format);
      break;
    case PTYPE_ENUM:
    case PTYPE_ENUMLONG:
    case PTYPE_ONOFF:
      made = std::make_unique<CStringConverterEnum>(pmid, min, max, format);
      break;
    case PTYPE_STRING:
      made = std::make_unique<CStringConverterStr>();
      break;
    default:
      return nullptr;
  }
  IStringConverter* result = made.get();
  m_impl->converters.emplace(std::move(key), std::move(made));
  return result;
}
