#pragma once
// The registry of the editor's nine bitmap fonts by name. A counted
// singleton started after the image cache, whose pictures it binds to the
// compiled-in metric records.
#include <map>
#include <string>

#include "hfc/HfcBmpFontInfo.h"

class FontManager {
 public:
  static const char* const FontName_W4H9;
  static const char* const FontName_Geneva9;
  static const char* const FontName_Geneva9_for_Controls;
  static const char* const FontName_Geneva10;
  static const char* const FontName_Geneva10_for_Label;
  static const char* const FontName_HelvB11;
  static const char* const FontName_HelvB11_Shadow;
  static const char* const FontName_ArialB12;
  static const char* const FontName_Mini5;
  static const char* const FontName_CategoryLabel;
  static const char* const FontName_ParamLabel;
  static const char* const FontName_ParamValue;

  static bool Initialize();
  static void Uninitialize();

  // Null for a name that is not one of the nine (case matters).
  tagHfcBmpFontInfo* GetBmpFontInfo(const std::string& name);

  static FontManager* mInstance;
  static int mRefCounter;

 private:
  FontManager();

  std::map<std::string, tagHfcBmpFontInfo*> mFonts;
};
