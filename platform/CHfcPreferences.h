#pragma once
// Key-value settings of one application domain in the user's preferences
// (os/PreferencesStore.h). Values read back at once; they reach the disk
// at Synchronize or Close. Reads never fail: they give the default.
#include <memory>
#include <string>

namespace os {
class PreferencesDomain;
}

class CHfcPreferences {
 public:
  CHfcPreferences();
  virtual ~CHfcPreferences();
  CHfcPreferences(const CHfcPreferences&) = delete;
  CHfcPreferences& operator=(const CHfcPreferences&) = delete;

  // Keeps the id as the domain; a domain that was open is left without
  // being synchronised first. A domain file that cannot be read is reported
  // on stderr (LoadError tells why) and gives defaults.
  bool Open(const char* applicationId);
  void Close();
  bool Synchronize();
  bool IsOpen() const { return domain_ != nullptr; }
  // Why the domain's file could not be read when it was opened; empty if
  // it could (or did not exist).
  std::string LoadError() const;

  bool GetKey(const char* key, char* buffer, int size);
  bool SetKey(const char* key, const char* value);
  int ReadInteger(const char* key, int defaultValue);
  long ReadLong(const char* key, long defaultValue);
  void ReadString(const char* key, char* buffer, int size, const char* defaultValue);
  void WriteInteger(const char* key, int value);
  void WriteLong(const char* key, long value);
  void WriteString(const char* key, const char* value);

 private:
  std::shared_ptr<os::PreferencesDomain> domain_;
};
