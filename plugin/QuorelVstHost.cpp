#include "plugin/QuorelVstHost.h"

#include "plugin/AudioEffectX.h"

void QuorelVstHost::CheckHost() {
  // Asked only where the question reaches the host at once: a thread of
  // the plug-in's own asks nothing and keeps nothing (the next call asks).
  if (checked_.load(std::memory_order_acquire) || !effect_.HostHasInstance() || !effect_.CallsHostDirectly())
    return;
  // Room beyond the 64 bytes hosts are asked to keep to.
  char product[256] = {};
  effect_.getHostProductString(product);
  product[63] = 0;
  const std::string name = kEffectName;
  const bool standalone = product == name + "Host";
  standalone_.store(standalone, std::memory_order_relaxed);
  auWrapper_.store(!standalone && product == name + "AU", std::memory_order_relaxed);
  checked_.store(true, std::memory_order_release);
}

bool QuorelVstHost::IsHostStandalone() {
  CheckHost();
  return standalone_.load(std::memory_order_relaxed);
}

bool QuorelVstHost::IsHostAUWrapper() {
  CheckHost();
  return auWrapper_.load(std::memory_order_relaxed);
}

const char* QuorelVstHost::ProductString() {
  return IsHostStandalone() ? kStandaloneProductName : kEffectName;
}

const char* QuorelVstHost::KnownProductString() const {
  const bool standalone =
      checked_.load(std::memory_order_acquire) && standalone_.load(std::memory_order_relaxed);
  return standalone ? kStandaloneProductName : kEffectName;
}
