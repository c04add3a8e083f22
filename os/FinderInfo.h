#pragma once
// The four-character type and creator codes of a file. This platform has no
// place for them in the file system proper, so they live in an extended
// attribute; on a file system without extended attributes they are simply
// not kept, which does not count as a failure.
#include <cstdint>
#include <string>

namespace os {

// False when the file does not exist or the codes cannot be stored.
bool SetFinderInfo(const std::string& path, uint32_t type, uint32_t creator);
// False when the file does not exist; codes that were never stored read 0.
bool GetFinderInfo(const std::string& path, uint32_t* type, uint32_t* creator);

}  // namespace os
