#include "remote/SXExpect.h"

#include "remote/RemoteStatus.h"

SXExpect::SXExpect(SXSig reply, SXSig status) : status_(std::move(status)) {
  if (!reply.Empty()) replies_.push_back(std::move(reply));
}

SXExpect::SXExpect(std::vector<SXSig> replies, SXSig status)
    : replies_(std::move(replies)), status_(std::move(status)) {}

bool SXExpect::MatchesReply(const void* hdr, unsigned len) const {
  for (const SXSig& r : replies_)
    if (r.Match(hdr, len)) return true;
  return false;
}

bool SXExpect::Concerns(const void* hdr, unsigned len) const {
  return MatchesReply(hdr, len) || status_.Match(hdr, len);
}

bool SXExpect::EndResult(const void* hdr, unsigned len, int msgResult, int* out) const {
  if (MatchesReply(hdr, len)) {
    *out = msgResult;
    return true;
  }
  if (status_.Match(hdr, len)) {
    *out = Oskend::IsSynthStatusResult(msgResult) ? msgResult : Oskend::kRemoteFailed;
    return true;
  }
  return false;
}
