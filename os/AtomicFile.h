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

  // Any thread (one writer per file). Starts a new temporary file beside
  // path, with the mode of the file it replaces, or for a new file the
  // mode any new file of the process gets (0666 less the umask); false (see
  // Error) on failure.
  bool Open(const std::string& path);
  bool Write(const void* data, size_t size);
  // Flushes, renames over the target and flushes the folder. When the
  // rename fails the temporary file is removed and the target is
  // untouched; when only the folder cannot be flushed the new content is
  // in place but may not survive a crash, and the commit fails too.
  bool Commit();
  void Abort();

  // What flushes a file or a folder to the disk (fsync); tests put in one
  // that fails. Null restores fsync.
  using FlushCall = int (*)(int fd);
  static void SetFlushCall(FlushCall call);

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
// hold the user's own files); false, with errno set, on failure, also
// when something other than a folder stands where one is wanted (ENOTDIR).
bool MakeFolders(const std::string& path);

// One-call form of AtomicFileWriter.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string* error = nullptr);

}  // namespace os
