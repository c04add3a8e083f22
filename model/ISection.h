#pragma once
// One block of the data image as numbered parameters. Text results are
// display pairs (long form, NUL, short form, NUL).
#include <string>

#include "model/eChgSource.h"
#include "model/paramdesc/SParamDesc.h"

namespace Oskend {

class ISectionSink;

class ISection {
 public:
  // Flags of PutParamIEx and PutParamSEx.
  static constexpr unsigned kNotify = 0x1;
  static constexpr unsigned kSend = 0x2;
  static constexpr unsigned kForceLocked = 0x8000;
  static constexpr unsigned kPlainWrite = 0xFF;

  virtual ~ISection() = default;

  virtual bool AdviseSink(ISectionSink* sink) = 0;
  virtual bool UnadviseSink(ISectionSink* sink) = 0;
  virtual int GetParamCount() = 0;
  virtual int GetParamIDByIndex(unsigned index) = 0;
  virtual int GetIndexByParamID(int id) = 0;
  virtual bool GetParamDescByIndex(unsigned index, SParamDesc* out) = 0;
  virtual bool GetParamDesc(int id, SParamDesc* out) = 0;
  virtual int GetParamI(int id) = 0;
  virtual int GetParamI_AvoidToCallISectionsPrepareParamDesc(int id) = 0;
  virtual int PutParamI(int id, int value) = 0;
  virtual int PutParamIEx(int id, int value, unsigned flags, eChgSource source) = 0;
  virtual std::string GetParamS(int id) = 0;
  virtual std::string PutParamS(int id, const char* text) = 0;
  virtual std::string PutParamSEx(int id, const char* text, unsigned flags, eChgSource source) = 0;
  virtual unsigned RawSize() = 0;
  virtual unsigned RawGet(void* dst, unsigned offset, unsigned count) = 0;
  virtual unsigned RawPut(const void* src, unsigned offset, unsigned count) = 0;
  virtual int GetOSCMode() = 0;
};

}  // namespace Oskend
