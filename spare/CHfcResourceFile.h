#pragma once
// A read-only file among the resources of the plug-in's bundle.
#include <cstdint>

#include "platform/CHfcFile.h"

class CHfcResourceFile : public CHfcFile {
 public:
  CHfcResourceFile() = default;
  ~CHfcResourceFile() override;

  using CHfcFile::Open;
  // Closes first, then opens the resource named `name` in the bundle's
  // resource folder (no subfolder); the type is not used.
  virtual bool Open(const char* name, const char* type, int mode);
  bool Close() override;
  long Read(void* buffer, long count) override;
  // A resource is never written: 0.
  long Write(void* buffer, long count) override;
  bool SetPos(long offset, int origin) override;

 private:
  uint32_t m_reserved = 0;
};
