#pragma once
// The user's preferences: one file per application domain in the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config), named
// "<domain>.prefs". Every user of a domain in the process shares one copy of
// its values, loaded when the first user opens it and dropped when the last
// one lets go; writes are visible at once and reach the disk at Synchronize.
//
// File format, text, one entry per line after a header line:
//   vesk-preferences 1
//   <kind> <key>=<value>
// kind is i (32-bit integer), l (64-bit integer) or s (string). Keys and
// string values may hold any byte but NUL; bytes outside '!'..'~' and the
// characters '%' and '=' are written as %XX (two upper-case hex digits).
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <variant>

#include "os/Lock.h"

namespace os {

class PreferencesDomain {
 public:
  using Value = std::variant<int32_t, int64_t, std::string>;

  // The shared copy of a domain; never null. A file that cannot be read is
  // reported on stderr and through LoadError, and the domain starts empty;
  // the unreadable file is kept beside the new one as "<file>.corrupt" at
  // the next write, so nothing is lost.
  static std::shared_ptr<PreferencesDomain> Get(const std::string& domain);
  static std::string FolderPath();
  static std::string FilePath(const std::string& domain);

  std::optional<Value> Read(const std::string& key) const;
  void Write(const std::string& key, Value value);
  // Writes pending changes; true when there was nothing to write.
  bool Synchronize();

  const std::string& LoadError() const { return loadError_; }
  const std::string& WriteError() const { return writeError_; }
  const std::string& path() const { return path_; }

  explicit PreferencesDomain(std::string path);
  // Writes what is still pending, so that letting go loses nothing.
  ~PreferencesDomain();

 private:
  void Load();

  mutable os::Lock mutex_;
  std::string path_;
  std::map<std::string, Value> values_;
  bool dirty_ = false;
  bool corrupt_ = false;
  std::string loadError_;
  std::string writeError_;
};

// The byte escaping of keys and string values in the preferences file.
std::string EscapePreferenceText(const std::string& text);
// False when the text holds a bad escape or a byte that must be escaped.
bool UnescapePreferenceText(const std::string& text, std::string* out);

}  // namespace os
