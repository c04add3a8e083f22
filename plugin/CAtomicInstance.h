#pragma once
// The lock that lets only one working instance of the plug-in exist for a
// user: an exclusive, non-waiting lock on a file in the user's runtime
// folder ($XDG_RUNTIME_DIR, else a folder of the user's own under the
// temporary folder, mode 0700; $VESK_LOCK_DIR names another folder), so
// that another user's copy never blocks this one. The holder writes its
// process id into the file, so whoever is refused can say who holds it.
// The lock dies with the descriptor, so a file left by a crashed process
// holds nothing.
#include <string>
#include <sys/types.h>

// The constructor's thread (the host's, loading the plug-in) makes and
// owns the lock; the static helpers may be called on any thread.
class CAtomicInstance {
 public:
  static constexpr const char* kLockFileName = "vesk-plug-in-editor.lock";

  CAtomicInstance();
  ~CAtomicInstance();
  CAtomicInstance(const CAtomicInstance&) = delete;
  CAtomicInstance& operator=(const CAtomicInstance&) = delete;

  bool Validate() const { return valid_; }
  const std::string& Path() const { return path_; }
  // Why the lock was not taken (empty when it was): the holder's process
  // id, or what went wrong with the folder or the file.
  const std::string& Reason() const { return reason_; }

  // The folder of the lock file, made when it is missing; empty (and
  // `why` set) when no folder of the user's own can be had.
  static std::string LockFolder(std::string* why = nullptr);
  // The process that holds the lock now, 0 when nobody does.
  static pid_t Holder();
  // The words for a refused start while `holder` runs.
  static std::string HeldMessage(pid_t holder);

 private:
  std::string path_;
  std::string reason_;
  int fd_ = 0;
  bool valid_ = false;
};
