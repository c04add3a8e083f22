#include "tests/support/jacksynth/SynthRecord.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vesk::test {

namespace {

SynthRecordLine Parse(const std::string& text) {
  SynthRecordLine line;
  std::istringstream in(text);
  in >> line.what;
  for (std::string w; in >> w;) line.words.push_back(w);
  auto number = [&](size_t i) { return static_cast<int>(std::strtol(line.words[i].c_str(), nullptr, 0)); };
  if (line.what == "param" && line.words.size() == 3) {
    line.section = number(0);
    line.id = number(1);
    line.value = number(2);
  } else if (line.what == "short") {
    for (const std::string& w : line.words) line.bytes.push_back(static_cast<uint8_t>(std::strtoul(w.c_str(), nullptr, 16)));
  }
  return line;
}

}  // namespace

std::vector<SynthRecordLine> SynthRecord::Read(const std::string& path) {
  std::vector<SynthRecordLine> lines;
  std::ifstream in(path, std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t start = 0;
  for (size_t end; (end = all.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(Parse(all.substr(start, end - start)));
  return lines;
}

std::vector<uint8_t> SynthRecord::ShortBytes(const std::vector<SynthRecordLine>& lines) {
  std::vector<uint8_t> bytes;
  for (const auto& l : lines) bytes.insert(bytes.end(), l.bytes.begin(), l.bytes.end());
  return bytes;
}

std::vector<SynthRecordLine> SynthRecord::Only(const std::vector<SynthRecordLine>& lines,
                                               const std::string& what) {
  std::vector<SynthRecordLine> out;
  for (const auto& l : lines)
    if (l.what == what) out.push_back(l);
  return out;
}

}  // namespace vesk::test
