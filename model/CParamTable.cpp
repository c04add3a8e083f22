#include "model/CParamTable.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <utility>

#include "model/CAccessorPool.h"
#include "model/CStringConverterPool.h"
#include "model/IStringConverter.h"
#include "model/mathutl.h"
#include "os/Lock.h"

std::string CParamTable::extractformatforpmid(const char* format, unsigned char pmid) {
  std::vector<std::string> pieces = mathutl::breakstring(format, '\f');
  if (pieces.empty()) return std::string();
  if (pieces.size() == 1) return pieces[0];
  // (variant, format) pairs; a last piece without a partner never applies.
  for (size_t i = 0; i + 1 < pieces.size(); i += 2)
    if (std::strtoul(pieces[i].c_str(), nullptr, 0) == pmid) return pieces[i + 1];
  return std::string();
}

void CParamTable::SetupEntry(SParamDesc* row, unsigned char pmid) {
  CAccessorPool& accessors = CAccessorPool::Instance();
  CStringConverterPool& converters = CStringConverterPool::Instance();
  if (row->accessor != nullptr && row->converter != nullptr) return;
  std::string format = extractformatforpmid(row->format, pmid);
  PTYPE ptype = static_cast<PTYPE>(row->ptype);
  row->accessor = accessors.Get(pmid, ptype, static_cast<ATYPE>(row->atype), row->lowBit,
                                row->highBit, format.c_str());
  row->converter = converters.Get(pmid, ptype, row->min, row->max, format.c_str());
  if (row->converter != nullptr) {
    std::pair<int32_t, int32_t> range = row->converter->Range();
    row->min = range.first;
    row->max = range.second;
  }
  row->ref = row->def;
  if (row->ptype == PTYPE_NONE) {
    row->id = -1;
    row->flags |= PFLAG_READONLY1;
  }
}

CParamTable::CParamTable(const TABLEDESC& desc, unsigned char pmid) {
  uint32_t count = desc.rows != nullptr ? desc.count : 0;
  m_rows.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    m_rows.push_back(desc.rows[i]);
    SParamDesc& row = m_rows.back();
    SetupEntry(&row, pmid);
    if (row.id != -1 && row.ptype != 0 && row.atype != 0) m_idmap[row.id] = i;
  }
}

int32_t CParamTable::FindIndex(int32_t id) const {
  auto it = m_idmap.find(id);
  return it == m_idmap.end() ? -1 : static_cast<int32_t>(it->second);
}

CParamTable* CParamTable::GetInstance(const TABLEDESC& desc, unsigned char pmid) {
  return CParamTablePool::Instance().Get(desc, pmid);
}

struct CParamTable::CParamTablePool::Impl {
  os::Lock lock;
  std::map<std::pair<const TABLEDESC*, unsigned char>, std::unique_ptr<CParamTable>> tables;
};

// The tables point into the accessor and converter pools: those are made
// first so that they are destroyed last.
CParamTable::CParamTablePool::CParamTablePool() : m_impl(new Impl) {
  CAccessorPool::Instance();
  CStringConverterPool::Instance();
}
CParamTable::CParamTablePool::~CParamTablePool() { delete m_impl; }

CParamTable::CParamTablePool& CParamTable::CParamTablePool::Instance() {
  static CParamTablePool pool;
  return pool;
}

CParamTable* CParamTable::CParamTablePool::Get(const TABLEDESC& desc, unsigned char pmid) {
  std::pair<const TABLEDESC*, unsigned char> key(&desc, pmid);
  // Held while a table is built, so that two threads asking for the same
  // table at once get one object. The accessor and converter pools lock
  // only inside, never calling back here.
  std::lock_guard<os::Lock> guard(m_impl->lock);
  auto it = m_impl->tables.find(key);
  if (it != m_impl->tables.end()) return it->second.get();
  auto table = std::make_unique<CParamTable>(desc, pmid);
  CParamTable* result = table.get();
  m_impl->tables.emplace(key, std::move(table));
  return result;
}
