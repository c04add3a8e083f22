#pragma once
// The process-wide folder from which skin files are loaded by name (the
// plug-in's resources). Empty until set.
#include <string>

void HfcSetResourceDir(const std::string& dir);
std::string HfcGetResourceDir();
