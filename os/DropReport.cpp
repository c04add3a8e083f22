#include "os/DropReport.h"

#include <cstdio>

#include "os/Clock.h"

namespace os {
namespace {
constexpr uint64_t kQuietUs = 1'000'000;
}

DropReport::DropReport(const char* where) : where_(where) {}

DropReport::~DropReport() { Tell(true); }

void DropReport::Count(uint64_t n) { total_.fetch_add(n, std::memory_order_relaxed); }

uint64_t DropReport::Total() const { return total_.load(std::memory_order_relaxed); }

bool DropReport::Tell(bool now) {
  const uint64_t total = total_.load(std::memory_order_relaxed);
  uint64_t told = told_.load(std::memory_order_relaxed);
  if (total == told) return false;
  const uint64_t at = NowUs();
  const uint64_t last = toldAtUs_.load(std::memory_order_relaxed);
  if (!now && last != 0 && at - last < kQuietUs) return false;
  // Of two threads that would tell the same losses, one does.
  if (!told_.compare_exchange_strong(told, total, std::memory_order_relaxed)) return false;
  toldAtUs_.store(at == 0 ? 1 : at, std::memory_order_relaxed);
  const unsigned long long lost = total - told;
  std::fprintf(stderr, "vesk: %s: %llu %s not sent (%llu in all)\n", where_, lost,
               lost == 1 ? "message was" : "messages were",
               static_cast<unsigned long long>(total));
  return true;
}

}  // namespace os
