#pragma once
// Note and error alerts titled with the program's name; the key is its own
// text. An error alert adds "\n" and the detail when there is one. Main
// thread only (FailureReporter hands reports from other threads over).
#include <string>

void ShowNoteAlert(const std::string& key);
void ShowErrorAlert(const std::string& key, const std::string& detail);
