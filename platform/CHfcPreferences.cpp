#include "platform/CHfcPreferences.h"

#include <cstring>
#include <limits>

#include "os/PreferencesStore.h"

namespace {

// Copies text into a buffer of size bytes, cut and always terminated;
// nothing for a buffer of no size.
void CopyCut(char* buffer, int size, const char* text) {
  if (!buffer || size <= 0) return;
  const size_t n = text ? std::min(std::strlen(text), static_cast<size_t>(size - 1)) : 0;
  if (n) std::memcpy(buffer, text, n);
  buffer[n] = '\0';
}

}  // namespace

CHfcPreferences::CHfcPreferences() = default;

CHfcPreferences::~CHfcPreferences() { Close(); }

bool CHfcPreferences::Open(const char* applicationId) {
  if (!applicationId) return false;
  domain_ = os::PreferencesDomain::Get(applicationId);
  return true;
}

void CHfcPreferences::Close() {
  if (!domain_) return;
  domain_->Synchronize();
  domain_.reset();
}

bool CHfcPreferences::Synchronize() { return domain_ && domain_->Synchronize(); }

std::string CHfcPreferences::LoadError() const {
  return domain_ ? domain_->LoadError() : std::string();
}

bool CHfcPreferences::GetKey(const char* key, char* buffer, int size) {
  if (!domain_ || !key) return false;
  auto v = domain_->Read(key);
  if (!v) return false;
  const auto* s = std::get_if<std::string>(&*v);
  CopyCut(buffer, size, s ? s->c_str() : "");
  return true;
}

bool CHfcPreferences::SetKey(const char* key, const char* value) {
  if (!domain_ || !key || !value) return false;
  domain_->Write(key, std::string(value));
  return true;
}

int CHfcPreferences::ReadInteger(const char* key, int defaultValue) {
  const long v = ReadLong(key, defaultValue);
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
    return defaultValue;  // does not convert without loss
  return static_cast<int>(v);
}

long CHfcPreferences::ReadLong(const char* key, long defaultValue) {
  if (!domain_ || !key) return defaultValue;
  auto v = domain_->Read(key);
  if (!v) return defaultValue;
  if (const auto* i = std::get_if<int32_t>(&*v)) return *i;
  if (const auto* l = std::get_if<int64_t>(&*v)) return static_cast<long>(*l);
  return defaultValue;  // a string is not a number
}

void CHfcPreferences::ReadString(const char* key, char* buffer, int size,
                                 const char* defaultValue) {
  if (domain_ && key) {
    if (auto v = domain_->Read(key))
      if (const auto* s = std::get_if<std::string>(&*v)) return CopyCut(buffer, size, s->c_str());
  }
  CopyCut(buffer, size, defaultValue);
}

void CHfcPreferences::WriteInteger(const char* key, int value) {
  if (domain_ && key) domain_->Write(key, static_cast<int32_t>(value));
}

void CHfcPreferences::WriteLong(const char* key, long value) {
  if (domain_ && key) domain_->Write(key, static_cast<int64_t>(value));
}

void CHfcPreferences::WriteString(const char* key, const char* value) {
  if (domain_ && key && value) domain_->Write(key, std::string(value));
}
