#include "remote/RemoteStatus.h"

#include <cstdio>

namespace Oskend {

std::string RemoteStatusReason(int result) {
  switch (result) {
    case kRemoteOK: return {};
    case kRemoteFailed: return "The synthesizer is not connected, or the message could not be sent.";
    case kRemoteAborted: return "The transfer was cancelled.";
    case kRemoteBusy: return "Another transfer with the synthesizer is running.";
    case kRemoteTimeout: return "The synthesizer did not answer in time.";
    case kRemoteQueueFull: return "Too many messages are waiting to go out to the synthesizer.";
    case kRemoteLate:
      return "The MIDI system ran late, so part of the transfer may have arrived twice or not at all, "
             "and it ran late again when the transfer was repeated. Try again with less load on the "
             "computer, or give the JACK server a larger buffer.";
    case kSynthStatusOther: return "The synthesizer refused the request.";
    default: break;
  }
  if (IsSynthStatusResult(result)) {
    const unsigned byte = result == kSynthStatus28 ? 0x28u : static_cast<unsigned>(result) & 0xFFu;
    char text[80];
    std::snprintf(text, sizeof text, "The synthesizer refused the request (its status 0x%02X).", byte);
    return text;
  }
  return result >= 0 ? std::string() : "The link to the synthesizer failed unexpectedly.";
}

std::string RemoteFailureText(const std::string& title, int result) {
  switch (result) {
    case kRemoteTimeout: return title + " Error!\nTimeOut";
    case kSynthStatus2: return title + " Error!\nWrite Protected.";
    case kSynthStatus4: return title + " Error!\nMode is Wrong";
    default: return title + " Error\n" + RemoteStatusReason(result);
  }
}

}  // namespace Oskend
