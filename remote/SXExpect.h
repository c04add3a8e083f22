#pragma once
// What a waiting session accepts as its answer: one or more reply
// signatures, and a status signature. A message matching a reply ends the
// session with the message's own result; one matching only the status
// signature ends it with the synthesizer's status code, or with a failure
// when the status says success, because then the real reply never comes.
#include <vector>

#include "remote/SXSig.h"

class SXExpect {
 public:
  SXExpect() = default;
  SXExpect(SXSig reply, SXSig status);
  SXExpect(std::vector<SXSig> replies, SXSig status);

  // The message concerns the session (reply or status): its arrival counts
  // as activity.
  bool Concerns(const void* hdr, unsigned len) const;

  // For a complete message carrying msgResult: true and *out = the session's
  // result when the message ends the session, false when it is not ours.
  bool EndResult(const void* hdr, unsigned len, int msgResult, int* out) const;

  const std::vector<SXSig>& Replies() const { return replies_; }
  const SXSig& Status() const { return status_; }

 private:
  bool MatchesReply(const void* hdr, unsigned len) const;

  std::vector<SXSig> replies_;
  SXSig status_;
};
