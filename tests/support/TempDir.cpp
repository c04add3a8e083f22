#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vesk::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vesk-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> TempDir::List() const {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(path_))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
  if (const char* v = std::getenv(name)) {
    had_ = true;
    old_ = v;
  }
  ::setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (had_)
    ::setenv(name_.c_str(), old_.c_str(), 1);
  else
    ::unsetenv(name_.c_str());
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteWholeFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << data;
}

}  // namespace vesk::test
