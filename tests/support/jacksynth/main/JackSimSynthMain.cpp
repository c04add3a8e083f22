// The simulated synthesizer as a JACK client of its own, for tests that
// drive the editor through a real MIDI system. Its two ports carry the
// maker and model that make it the editor's target.
//
//   vesk_jack_simsynth --client NAME [--seed N] [--channel C]
//                      [--kill-after-sending BYTES] [--kill-after-receiving BYTES]
//                      [--memory-out FILE] [--echo-params 1] [--short-out FILE]
//                      [--late-ms MS [--late-at BYTES,BYTES...]]
//
// Prints "ready" on the standard output once its ports exist. On SIGTERM it
// writes its memory to the --memory-out file and ends; on SIGUSR1 it writes
// it there and goes on (into a fresh file put in place whole, so a reader
// that waits for the file never sees half of it). With --echo-params it
// sends every parameter change it is given back, as from its panel. With
// --short-out every message it receives is appended to FILE as it arrives
// (after what an earlier process wrote there),
// one line each (SynthRecord reads them back):
//   short 90 3c 64              a short message, its bytes in hex
//   param 0 0x010a 5            a parameter change: section, parameter, value
//   dump program-bank 2 -1 0    a dump taken in: kind, bank, number (-1 the
//                               whole bank), 1 for an edit buffer
//   refused program             a dump of the wrong size for its kind
//   write program 0 3 | store program 2 | mode 2 | volume 16383 | filter 1
//   program 0 3 | song 4        what a short message made the instrument do
//   request program-bank 2 -1   a dump request: kind, bank, number
//   request-current program     a request for an edit buffer's dump
//   request-mode                a request for the mode and state
//   sysex 55 00                 any other own message: its function and the
//                               byte after it
// The kill options end it with SIGKILL in the middle of a transfer, as a
// pulled cable would. With --late-ms, once a second (with --late-at, once
// as many bytes as each number says have arrived) the next process cycle
// that brings it events lasts MS milliseconds longer than a cycle, as a
// client's does on a loaded machine.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "model/ChunkGlobal.h"
#include "os/midi/MessageLength.h"
#include "os/midi/jack/JackDevice.h"
#include "tests/support/simsynth/SimSynth.h"
#include "tests/support/simsynth/SimSynthAssembler.h"

namespace {

std::atomic<bool> g_term{false};
std::atomic<bool> g_writeMemory{false};

void OnTerm(int) { g_term.store(true); }
void OnWriteMemory(int) { g_writeMemory.store(true); }

const char* KindName(int kind) {
  switch (kind) {
    case 0x00: return "program";
    case 0x01: return "combination";
    case 0x03: return "global";
    case 0x0F: return "program-bank";
    case 0x11: return "combinations";
    default: return "unknown";
  }
}

// One line of the record for something the instrument did.
std::string RecordLine(const vesk::test::SimSynthEvent& e) {
  using E = vesk::test::SimSynthEvent;
  char line[96];
  switch (e.kind) {
    case E::kModeChange: std::snprintf(line, sizeof line, "mode %d", e.mode); break;
    case E::kParamChange:
      std::snprintf(line, sizeof line, "param %d 0x%04x %d", e.section, e.id, e.value);
      break;
    case E::kWrite:
      std::snprintf(line, sizeof line, "write %s %d %d", KindName(e.dumpKind), e.bank, e.number);
      break;
    case E::kBankStore: std::snprintf(line, sizeof line, "store %s %d", KindName(e.dumpKind), e.bank); break;
    case E::kDumpReceived:
      std::snprintf(line, sizeof line, "dump %s %d %d %d", KindName(e.dumpKind), e.bank, e.number,
                    e.current ? 1 : 0);
      break;
    case E::kDumpRefused: std::snprintf(line, sizeof line, "refused %s", KindName(e.dumpKind)); break;
    case E::kProgramChange: std::snprintf(line, sizeof line, "program %d %d", e.bank, e.number); break;
    case E::kSongSelect: std::snprintf(line, sizeof line, "song %d", e.number); break;
    case E::kMasterVolume: std::snprintf(line, sizeof line, "volume %d", e.value); break;
    case E::kSysExFilter: std::snprintf(line, sizeof line, "filter %d", e.value); break;
  }
  return line;
}

struct Options {
  std::string client = "Vesk";
  uint32_t seed = 11;
  int channel = 2;
  size_t killAfterSending = 0;
  size_t killAfterReceiving = 0;
  std::string memoryOut;
  bool echoParams = false;
  std::string shortOut;
  unsigned lateMs = 0;
  std::vector<size_t> lateAt;  // received byte counts, ascending
};

// "N,N,...", ascending.
std::vector<size_t> ByteCounts(const std::string& list) {
  std::vector<size_t> out;
  std::istringstream in(list);
  for (std::string n; std::getline(in, n, ',');) out.push_back(std::strtoull(n.c_str(), nullptr, 0));
  std::sort(out.begin(), out.end());
  return out;
}

// A line for an own message that changed nothing in the instrument.
std::string RequestLine(const std::vector<uint8_t>& msg) {
  char line[64];
  if (msg[6] == 0x72 && msg.size() >= 12)
    std::snprintf(line, sizeof line, "request %s %d %d", KindName(msg[7]), msg[8],
                  msg[7] == 0x0F || msg[7] == 0x11 ? -1 : msg[10]);
  else if (msg[6] == 0x74)
    std::snprintf(line, sizeof line, "request-current %s", KindName(msg[7]));
  else if (msg[6] == 0x12)
    std::snprintf(line, sizeof line, "request-mode");
  else
    std::snprintf(line, sizeof line, "sysex %02x %02x", msg[6], msg[7]);
  return line;
}

class Instrument {
 public:
  Instrument(const Options& o, os::midi::JackDevice& dev) : options_(o), dev_(dev) {
    vesk::test::SimSynthSettings s;
    s.channel = static_cast<uint8_t>(o.channel & 0x0F);
    s.state[2] = 0x5A;
    synth_ = vesk::test::SimSynth(s);
    synth_.FillPattern(o.seed);
    synth_.ShapeAsInstrument();
    synth_.Memory()[Oskend::CHUNK_GLOBAL::kMIDIChannel] = s.channel;
    if (!o.shortOut.empty()) shortLog_ = std::fopen(o.shortOut.c_str(), "ab");
  }
  ~Instrument() {
    if (shortLog_) std::fclose(shortLog_);
  }

  void OnBytes(const uint8_t* data, size_t length) {
    std::vector<std::vector<uint8_t>> messages;
    {
      std::lock_guard<std::mutex> g(m_);
      received_ += length;
      while (lateNext_ < options_.lateAt.size() && received_ >= options_.lateAt[lateNext_]) {
        dev_.LateAtNextInput(options_.lateMs);
        ++lateNext_;
      }
      if (options_.killAfterReceiving && received_ >= options_.killAfterReceiving) Die();
      for (size_t i = 0; i < length; ++i) assembler_.Take(data[i], messages);
    }
    for (const auto& msg : messages) {
      std::vector<std::vector<uint8_t>> replies;
      std::string lines;
      {
        std::lock_guard<std::mutex> g(m_);
        const size_t logged = synth_.Log().size();
        replies = synth_.Handle(msg.data(), static_cast<unsigned>(msg.size()));
        const auto& log = synth_.Log();
        lines = RecordLines(msg, logged);
        if (options_.echoParams && log.size() > logged &&
            log.back().kind == vesk::test::SimSynthEvent::kParamChange)
          replies.push_back(synth_.PanelParamChange(static_cast<uint8_t>(log.back().section),
                                                    log.back().id, log.back().value));
      }
      // The answer first: an instrument answers at once, and a record file
      // that a busy disk holds up must not make it late (the editor gives
      // an identity reply one second). One set to vanish while it answers
      // records what it was asked before.
      const bool mayVanish = options_.killAfterSending != 0;
      if (mayVanish) Record(lines);
      for (const auto& r : replies) Send(r);
      if (!mayVanish) Record(lines);
    }
  }

  void WriteMemory() {
    if (options_.memoryOut.empty()) return;
    std::lock_guard<std::mutex> g(m_);
    const std::string fresh = options_.memoryOut + ".new";
    if (FILE* f = std::fopen(fresh.c_str(), "wb")) {
      const bool whole = std::fwrite(synth_.Memory().data(), 1, synth_.Memory().size(), f) ==
                         synth_.Memory().size();
      if (std::fclose(f) == 0 && whole) std::rename(fresh.c_str(), options_.memoryOut.c_str());
    }
  }

 private:
  // The message's line, or the lines of what it made the instrument do
  // (log entries from `logged` on). Called with m_ held.
  std::string RecordLines(const std::vector<uint8_t>& msg, size_t logged) const {
    if (!shortLog_) return {};
    const auto& log = synth_.Log();
    std::string lines;
    if (msg[0] != 0xF0) {
      lines = "short";
      for (const uint8_t b : msg) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02x", b);
        lines += hex;
      }
      lines += '\n';
    }
    for (size_t i = logged; i < log.size(); ++i) lines += RecordLine(log[i]) + '\n';
    if (msg[0] == 0xF0 && logged == log.size() && msg.size() >= 8) lines += RequestLine(msg) + '\n';
    return lines;
  }

  // Only the delivery thread (OnBytes) writes the record.
  void Record(const std::string& lines) {
    if (!shortLog_ || lines.empty()) return;
    std::fwrite(lines.data(), 1, lines.size(), shortLog_);
    std::fflush(shortLog_);
  }

  void Send(const std::vector<uint8_t>& msg) {
    size_t n = msg.size();
    bool die = false;
    if (options_.killAfterSending) {
      const size_t left = options_.killAfterSending > sent_ ? options_.killAfterSending - sent_ : 0;
      if (n >= left) {
        n = left;
        die = true;
      }
    }
    if (n) dev_.Emit(msg.data(), n);
    sent_ += n;
    if (die) {
      // Let what was cut go out first, then vanish without a word.
      for (int i = 0; i < 200 && dev_.Pending(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      Die();
    }
  }

  [[noreturn]] static void Die() {
    kill(getpid(), SIGKILL);
    for (;;) pause();
  }

  Options options_;
  os::midi::JackDevice& dev_;
  std::mutex m_;
  vesk::test::SimSynth synth_;
  vesk::test::SimSynthAssembler assembler_;
  size_t received_ = 0;
  size_t lateNext_ = 0;  // the next of options_.lateAt
  size_t sent_ = 0;
  FILE* shortLog_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string k = argv[i], v = argv[i + 1];
    if (k == "--client") o.client = v;
    else if (k == "--seed") o.seed = static_cast<uint32_t>(std::strtoul(v.c_str(), nullptr, 0));
    else if (k == "--channel") o.channel = std::atoi(v.c_str());
    else if (k == "--kill-after-sending") o.killAfterSending = std::strtoull(v.c_str(), nullptr, 0);
    else if (k == "--kill-after-receiving") o.killAfterReceiving = std::strtoull(v.c_str(), nullptr, 0);
    else if (k == "--memory-out") o.memoryOut = v;
    else if (k == "--echo-params") o.echoParams = v != "0";
    else if (k == "--short-out") o.shortOut = v;
    else if (k == "--late-ms") o.lateMs = static_cast<unsigned>(std::strtoul(v.c_str(), nullptr, 0));
    else if (k == "--late-at") o.lateAt = ByteCounts(v);
    else {
      std::fprintf(stderr, "vesk_jack_simsynth: unknown option %s\n", k.c_str());
      return 2;
    }
  }
  signal(SIGTERM, OnTerm);
  signal(SIGINT, OnTerm);
  signal(SIGUSR1, OnWriteMemory);
  os::midi::JackDevice::Desc desc;
  desc.clientName = o.client;
  desc.manufacturer = "TAVO";
  desc.model = "Vesk";
  std::string why;
  auto dev = os::midi::JackDevice::Open(desc, &why);
  if (!dev) {
    std::fprintf(stderr, "vesk_jack_simsynth: %s\n", why.c_str());
    return 1;
  }
  Instrument instrument(o, *dev);
  dev->SetReceiver([&](const uint8_t* d, size_t n) { instrument.OnBytes(d, n); });
  std::printf("ready %s %s\n", dev->SourceKey().c_str(), dev->DestinationKey().c_str());
  std::fflush(stdout);
  uint64_t dropped = 0;
  auto lateAt = std::chrono::steady_clock::now();
  while (!g_term.load()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (o.lateMs && o.lateAt.empty() && std::chrono::steady_clock::now() >= lateAt) {
      dev->LateAtNextInput(o.lateMs);
      lateAt = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    }
    if (g_writeMemory.exchange(false)) instrument.WriteMemory();
    // What the editor sent and never reached the instrument is said aloud.
    if (const uint64_t now = dev->Dropped(); now != dropped) {
      std::fprintf(stderr, "vesk_jack_simsynth: %llu events lost, the input ring was full\n",
                   static_cast<unsigned long long>(now - dropped));
      dropped = now;
    }
  }
  dev->SetReceiver(nullptr);
  instrument.WriteMemory();
  dev.reset();
  return 0;
}
