#include "remote/SXRcvCtx.h"

void SXRcvCtx::Reserve(unsigned raw, unsigned decoded) {
  CHfcCriticalSectionLock lock(cs_);
  raw_.reserve(raw);
  decoder_.Reserve(decoded);
}

void SXRcvCtx::Enter() {
  CHfcCriticalSectionLock lock(cs_);
  End();
  inside_ = true;
}

bool SXRcvCtx::Inside() {
  CHfcCriticalSectionLock lock(cs_);
  return inside_;
}

void SXRcvCtx::Write(const void* data, unsigned len, bool final) {
  CHfcCriticalSectionLock lock(cs_);
  if (!inside_ || aborted_) return;
  if (decoding_) {
    decoder_.Write(data, len, final);
  } else {
    const auto* p = static_cast<const uint8_t*>(data);
    raw_.insert(raw_.end(), p, p + len);
  }
  written_ += len;
}

void SXRcvCtx::Estimated(unsigned total, unsigned headerLen, bool final) {
  CHfcCriticalSectionLock lock(cs_);
  if (decoding_ || aborted_ || raw_.size() < headerLen) return;
  total_ = total;
  decoder_.Clear();
  decoding_ = true;
  decoder_.Write(raw_.data() + headerLen, static_cast<unsigned>(raw_.size() - headerLen), final);
  raw_.resize(headerLen);
}

bool SXRcvCtx::GetEstimation(unsigned* total, SXSig* header) {
  CHfcCriticalSectionLock lock(cs_);
  if (!inside_ || !decoding_ || aborted_) return false;
  if (total) *total = total_;
  if (header) *header = SXSig(raw_.data(), static_cast<unsigned>(raw_.size()));
  return true;
}

void SXRcvCtx::Abort() {
  CHfcCriticalSectionLock lock(cs_);
  aborted_ = true;
}

bool SXRcvCtx::End() {
  CHfcCriticalSectionLock lock(cs_);
  raw_.clear();
  decoder_.Clear();
  decoding_ = false;
  written_ = 0;
  total_ = 0;
  inside_ = false;
  aborted_ = false;
  return true;
}

SXRcvCtx::View SXRcvCtx::Get() {
  CHfcCriticalSectionLock lock(cs_);
  View v;
  v.inside = inside_;
  v.decoding = decoding_;
  v.aborted = aborted_;
  v.raw = raw_.data();
  v.rawLen = static_cast<unsigned>(raw_.size());
  v.data = decoder_.Data();
  v.dataLen = decoder_.Size();
  v.written = written_;
  v.total = total_;
  return v;
}
