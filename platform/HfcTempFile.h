#pragma once
// Names in the system's temporary folder, "/tmp/".

// Copies the folder's path, with its final '/', when it fits with its
// terminator; otherwise false and nothing is written.
bool HfcGetTempDirectory(char* buffer, int size);
// Folder + prefix + "_" + the millisecond clock as eight lower-case hex
// digits + suffix. False for a null buffer or prefix or a size below 1,
// and when the name with its terminator does not fit (the buffer then holds
// as much as fits, terminated).
bool HfcCreateTempFileName(const char* prefix, char* buffer, int size, const char* suffix);
