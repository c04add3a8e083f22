#pragma once
// The prepared form of a static parameter table for one model variant:
// every row carries its shared accessor and converter, its range comes from
// the converter, and addressable rows are found by id. Tables are built on
// first request, shared, immutable, and kept until the program ends.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/paramdesc/SParamDesc.h"

class CParamTable {
 public:
  // Thread-safe: the first request for a (table, variant) pair builds it,
  // every later one (from any thread) returns the same object.
  static CParamTable* GetInstance(const TABLEDESC& desc, unsigned char pmid);

  static void SetupEntry(SParamDesc* row, unsigned char pmid);
  static std::string extractformatforpmid(const char* format, unsigned char pmid);

  CParamTable(const TABLEDESC& desc, unsigned char pmid);

  const std::vector<SParamDesc>& Rows() const { return m_rows; }
  const std::map<int32_t, uint32_t>& IdMap() const { return m_idmap; }
  uint32_t GetCount() const { return static_cast<uint32_t>(m_rows.size()); }
  // Null for an index outside the table.
  const SParamDesc* GetRow(uint32_t index) const {
    return index < m_rows.size() ? &m_rows[index] : nullptr;
  }
  // The row index of an id, or -1 when no addressable row has it.
  int32_t FindIndex(int32_t id) const;

  class CParamTablePool;

 private:
  std::vector<SParamDesc> m_rows;
  std::map<int32_t, uint32_t> m_idmap;
};

class CParamTable::CParamTablePool {
 public:
  static CParamTablePool& Instance();
  CParamTable* Get(const TABLEDESC& desc, unsigned char pmid);

  CParamTablePool(const CParamTablePool&) = delete;
  CParamTablePool& operator=(const CParamTablePool&) = delete;

 private:
  CParamTablePool();
  ~CParamTablePool();
  struct Impl;
  Impl* m_impl;
};
