#include "os/PreferencesStore.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "os/SaveFileInFolder.h"

namespace os {

namespace {

constexpr const char* kHeader = "vesk-preferences 1";

os::Lock g_registryMutex;
std::map<std::string, std::weak_ptr<PreferencesDomain>>& Registry() {
  static std::map<std::string, std::weak_ptr<PreferencesDomain>> registry;
  return registry;
}

bool MustEscape(unsigned char c) { return c < '!' || c > '~' || c == '%' || c == '='; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

template <typename T>
bool ParseInteger(const std::string& text, T* out) {
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, *out);
  return ec == std::errc() && p == end && !text.empty();
}

}  // namespace

std::string EscapePreferenceText(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (MustEscape(c)) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool UnescapePreferenceText(const std::string& text, std::string* out) {
  out->clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '%') {
      if (i + 2 >= text.size()) return false;
      const int hi = HexValue(text[i + 1]);
      const int lo = HexValue(text[i + 2]);
      if (hi < 0 || lo < 0) return false;
      const char decoded = static_cast<char>(hi * 16 + lo);
      if (decoded == '\0') return false;
      *out += decoded;
      i += 2;
    } else if (MustEscape(c)) {
      return false;
    } else {
      *out += static_cast<char>(c);
    }
  }
  return true;
}

std::string PreferencesDomain::FolderPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home && home[0] ? home : "/tmp") + "/.config";
}

std::string PreferencesDomain::FilePath(const std::string& domain) {
  // Readable names; only what could climb out of the folder, hide the file
  // or confuse a terminal is escaped.
  static const char kHex[] = "0123456789ABCDEF";
  std::string name;
  for (size_t i = 0; i < domain.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(domain[i]);
    if (c < ' ' || c == 0x7F || c == '/' || c == '%' || (i == 0 && c == '.')) {
      name += '%';
      name += kHex[c >> 4];
      name += kHex[c & 15];
    } else {
      name += static_cast<char>(c);
    }
  }
  return FolderPath() + "/" + name + ".prefs";
}

std::shared_ptr<PreferencesDomain> PreferencesDomain::Get(const std::string& domain) {
  const std::string path = FilePath(domain);
  std::lock_guard<os::Lock> g(g_registryMutex);
  auto& registry = Registry();
  if (auto existing = registry[path].lock()) return existing;
  std::erase_if(registry, [](const auto& entry) { return entry.second.expired(); });
  auto made = std::make_shared<PreferencesDomain>(path);
  made->Load();
  registry[path] = made;
  return made;
}

PreferencesDomain::PreferencesDomain(std::string path) : path_(std::move(path)) {}

PreferencesDomain::~PreferencesDomain() { Synchronize(); }

void PreferencesDomain::Load() {
  struct stat st;
  if (::stat(path_.c_str(), &st) != 0) return;  // no file yet: no values
  if (!S_ISREG(st.st_mode)) {
    // Not ours to move aside; writing will fail and say so.
    loadError_ = path_ + ": not a regular file";
    std::fprintf(stderr, "preferences: cannot read %s; using defaults\n", loadError_.c_str());
    return;
  }
  std::ifstream in(path_, std::ios::binary);
  if (!in) {
    loadError_ = path_ + ": " + std::strerror(errno);
    std::fprintf(stderr, "preferences: cannot read %s; using defaults\n", loadError_.c_str());
    return;
  }
  std::string line;
  int number = 0;
  auto fail = [&](const char* why) {
    values_.clear();
    corrupt_ = true;
    loadError_ = path_ + ": line " + std::to_string(number) + ": " + why;
    std::fprintf(stderr, "preferences: cannot read %s; using defaults\n", loadError_.c_str());
  };
  while (std::getline(in, line)) {
    ++number;
    if (number == 1) {
      if (line != kHeader) return fail("not a preferences file");
      continue;
    }
    if (line.empty()) continue;
    const size_t eq = line.find('=');
    if (line.size() < 3 || line[1] != ' ' || eq == std::string::npos)
      return fail("malformed entry");
    std::string key, text;
    if (!UnescapePreferenceText(line.substr(2, eq - 2), &key) ||
        !UnescapePreferenceText(line.substr(eq + 1), &text))
      return fail("bad escape");
    switch (line[0]) {
      case 'i': {
        int32_t v;
        if (!ParseInteger(text, &v)) return fail("bad integer");
        values_[key] = v;
        break;
      }
      case 'l': {
        int64_t v;
        if (!ParseInteger(text, &v)) return fail("bad integer");
        values_[key] = v;
        break;
      }
      case 's':
        values_[key] = text;
        break;
      default:
        return fail("unknown value kind");
    }
  }
  if (number == 0) fail("empty file");
}

std::optional<PreferencesDomain::Value> PreferencesDomain::Read(const std::string& key) const {
  std::lock_guard<os::Lock> g(mutex_);
  auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void PreferencesDomain::Write(const std::string& key, Value value) {
  std::lock_guard<os::Lock> g(mutex_);
  values_[key] = std::move(value);
  dirty_ = true;
}

bool PreferencesDomain::Synchronize() {
  std::lock_guard<os::Lock> g(mutex_);
  if (!dirty_) return true;
  std::ostringstream out;
  out << kHeader << '\n';
  for (const auto& [key, value] : values_) {
    const std::string k = EscapePreferenceText(key);
    if (auto* i = std::get_if<int32_t>(&value)) out << "i " << k << '=' << *i << '\n';
    if (auto* l = std::get_if<int64_t>(&value)) out << "l " << k << '=' << *l << '\n';
    if (auto* s = std::get_if<std::string>(&value))
      out << "s " << k << '=' << EscapePreferenceText(*s) << '\n';
  }
  if (corrupt_) {
    // Keep what could not be read for the user instead of overwriting it.
    const std::string aside = path_ + ".corrupt";
    if (::rename(path_.c_str(), aside.c_str()) == 0 || errno == ENOENT) corrupt_ = false;
  }
  const std::string data = out.str();
  if (!SaveFileInFolder(path_, data.data(), data.size(), &writeError_)) {
    std::fprintf(stderr, "preferences: %s\n", writeError_.c_str());
    return false;
  }
  writeError_.clear();
  dirty_ = false;
  return true;
}

}  // namespace os
