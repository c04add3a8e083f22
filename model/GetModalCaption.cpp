#include "model/GetModalCaption.h"

std::string GetModalCaption(unsigned int, bool standalone) {
  return standalone ? "Vesk Editor" : "Vesk Plug-In Editor";
}
