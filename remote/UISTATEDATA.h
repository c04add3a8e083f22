#pragma once
// The pages' 4-byte state word per sound kind, kept in the image so that it
// travels with host chunks and files. The model keeps the panel's editor
// state in its first bytes (what the big knobs drive; see
// CRemoteSynthImpl::KeepEditorStateInImage).
#include <cstdint>

namespace Oskend {

struct UISTATEDATA {
  std::uint8_t bytes[4] = {0, 0, 0, 0};
};

}  // namespace Oskend
