#pragma once
// Replaces a file so that readers see either the old content or the whole
// new one: the data goes to a temporary file in the same folder, which is
// flushed to disk and then renamed over the target. A writer that is
// destroyed or aborted before Commit removes its temporary file and leaves
// the old file as it was.
#include <cstddef>
#include <string>

namespace os {

class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Starts a new temporary file beside path; false (see Error) on failure.
  bool Open(const std::string& path);
  bool Write(const void* data, size_t size);
  // Flushes, renames over the target and flushes the folder. On failure the
  // temporary file is removed and the target is untouched.
  bool Commit();
  void Abort();

  bool IsOpen() const { return fd_ >= 0; }
  const std::string& Error() const { return error_; }
  const std::string& TempPath() const { return tempPath_; }

 private:
  bool Fail(const char* what);

  int fd_ = -1;
  std::string path_;
  std::string tempPath_;
  std::string error_;
};

// Makes the folder and every missing folder above it (mode 0700: they
// hold the user's own files); false, with errno set, on failure.
bool MakeFolders(const std::string& path);

// One-call form of AtomicFileWriter.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string* error = nullptr);

}  // namespace os
