#pragma once
// Results of the operations that talk to the synthesizer. Zero or more is
// success; the 0x8000000x codes are the link's own failures, the 0xC00000xx
// codes carry the status byte the synthesizer answered with.
#include <cstdint>
#include <string>

namespace Oskend {

constexpr int kRemoteOK = 0;
constexpr int kRemoteFailed = static_cast<int>(0x80000001u);    // not connected, send failed, unexpected status 0
constexpr int kRemoteAborted = static_cast<int>(0x80000002u);   // cancelled by the user
constexpr int kRemoteBusy = static_cast<int>(0x80000003u);      // another session runs
constexpr int kRemoteTimeout = static_cast<int>(0x80000004u);
constexpr int kRemoteQueueFull = static_cast<int>(0x80000005u);  // timed output queue full
// The MIDI system ran late while the exchange was on its way, also when it
// went again (what crossed then may have arrived twice or not at all).
constexpr int kRemoteLate = static_cast<int>(0x80000006u);

constexpr int kSynthStatus1 = static_cast<int>(0xC0000001u);
constexpr int kSynthStatus2 = static_cast<int>(0xC0000002u);
constexpr int kSynthStatus3 = static_cast<int>(0xC0000003u);
constexpr int kSynthStatus4 = static_cast<int>(0xC0000004u);
constexpr int kSynthStatus5 = static_cast<int>(0xC0000005u);
constexpr int kSynthStatus28 = static_cast<int>(0xC0000040u);     // status byte 0x28
constexpr int kSynthStatusOther = static_cast<int>(0xC00000FFu);  // any other non-zero byte

// The result a status message with status byte s stands for.
constexpr int SynthStatusToResult(uint8_t s) {
  if (s == 0) return kRemoteOK;
  if (s >= 1 && s <= 5) return static_cast<int>(0xC0000000u + s);
  if (s == 0x28) return kSynthStatus28;
  return kSynthStatusOther;
}

// True for the codes that carry a status byte of the synthesizer.
constexpr bool IsSynthStatusResult(int r) {
  return (static_cast<uint32_t>(r) & 0xC0000000u) == 0xC0000000u;
}

// Why an operation with this result failed, in words for a message box
// ("The synthesizer is not connected, ..."); empty for success.
std::string RemoteStatusReason(int result);

// The message for an operation named `title` that failed with `result`:
// the title and " Error!\nTimeOut", " Error!\nWrite Protected." (the
// synthesizer's status 2), " Error!\nMode is Wrong" (its status 4), or else
// " Error" with the reason on a line of its own.
std::string RemoteFailureText(const std::string& title, int result);

}  // namespace Oskend
