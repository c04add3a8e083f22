#pragma once
// One open file of the framework, and file-name helpers.
//
// Open modes: 1 read, 2 write, 3 read and write, 0 read and write when
// allowed, else read. SetPos origins: 2 from the start, 1 from the end,
// 0 from the current position; any other origin stays where it is.
// The destructor does not close an open file.
#include <cstdint>

#include "os/MacTypes.h"

class CHfcFile {
 public:
  CHfcFile() = default;
  virtual ~CHfcFile();

  virtual bool Open(const char* path, int mode);
  virtual bool Close();
  // Bytes actually moved (fewer at the end of the file or on an error);
  // 0 when no file is open.
  virtual long Read(void* buffer, long count);
  virtual long Write(void* buffer, long count);
  virtual bool SetPos(long offset, int origin);
  virtual bool GetPos(long* position);
  virtual bool IsOpened();
  // Creates (or replaces) the file `name` (UTF-8) in a folder, sets its
  // type codes and opens it.
  virtual bool MacCreateOpen(const FSRef* folder, const char* name, int mode,
                             unsigned long creator, unsigned long type);
  virtual bool MacOpen(const FSSpec* spec, int mode);
  virtual bool MacOpen(const FSRef* ref, int mode);
  // Adopts an already open file descriptor.
  virtual bool MacAttach(short refNum);

  static bool MacChangeCreator(const FSSpec* spec, unsigned long creator);
  static bool MacChangeCreator(const FSRef* ref, unsigned long creator);
  static bool MacChangeType(const FSSpec* spec, unsigned long type);
  static bool MacChangeType(const FSRef* ref, unsigned long type);

  // The extension with its dot ("song.VSKall" -> ".VSKall"), cut to size
  // bytes with the terminator; false when there is no dot but at the start.
  static bool GetExtension(const char* name, char* out, int size);
  // Appends the extension as given (dot included). The plain form needs
  // room for it in name; the sized form, with size the bytes name holds,
  // returns null and leaves name unchanged when the result would not fit.
  static char* AddExtension(char* name, const char* extension);
  static char* AddExtension(char* name, int size, const char* extension);
  // Cuts the name at its last dot; false when there is none but at the start.
  static bool RemoveExtension(char* name);
  // Remove, then append; false (name unchanged) when there was nothing to
  // remove or, in the sized form, when the result would not fit.
  static bool ReplaceExtension(char* name, const char* extension);
  static bool ReplaceExtension(char* name, int size, const char* extension);
  // False for a missing path or a folder.
  static bool GetFileSize(const char* path, unsigned long long* size);

 private:
  bool OpenPath(const char* path, int mode);

  int fd_ = -1;
};
