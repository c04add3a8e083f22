#pragma once
// Saves a whole file the way the program's settings and preferences are
// saved: the folder it belongs in is made first when it is missing (with
// every folder above it), then the file is replaced atomically, so a save
// that fails leaves the former file as it was. Any thread; the caller keeps
// others off the same path.
#include <cstddef>
#include <string>

namespace os {

// False on failure, with the reason in words in *why (may be null): "the
// folder <folder> cannot be made: <the system's words>" or what the atomic
// write reported.
bool SaveFileInFolder(const std::string& path, const void* data, size_t size, std::string* why);

}  // namespace os
