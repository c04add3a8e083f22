#pragma once
// The plug-in's own bundle and its folders. A bundle is found from the file
// of the loaded image that holds this code (".../<bundle>/Contents/MacOS/
// <image>"); the environment variable VESK_BUNDLE_DIR names the bundle
// folder instead. Folder results are POSIX paths; an empty path stands for
// "none".
#include <string>

#include "os/Bundle.h"

using HfcBundleRef = os::Bundle*;

// Path of the live bundle with that identifier, and the folder holding it.
std::string HfcMacGetBundleURLByID(const char* id);
std::string HfcMacGetBundleDirectoryURLByID(const char* id);

// The process-wide resource bundle: Set retains the new one, then releases
// the old one; Get hands out an extra reference (release it), or null.
void HfcMacSetBundle(HfcBundleRef bundle);
HfcBundleRef HfcMacGetBundle();

// A new bundle object for the plug-in's bundle (the caller releases it).
HfcBundleRef HfcMacBundleCreateForPlugin();
// The folder that holds the plug-in's bundle.
std::string HfcMacGetBundleDirectoryURL();
bool HfcMacGetBundleDirectory(char* buffer, int size);
// The bundle's "Contents/Resources" folder.
std::string HfcMacGetBundleResourceDirectoryURL();
bool HfcMacGetBundleResourceDirectory(char* buffer, int size);

// A process-wide folder that is only stored.
void HfcMacSetBundleDirectoryURL(const std::string& url);
