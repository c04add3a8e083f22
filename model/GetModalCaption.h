#pragma once
// Title of the editor's message boxes and progress windows.
#include <string>

// The first argument does not change the caption.
std::string GetModalCaption(unsigned int, bool standalone);
