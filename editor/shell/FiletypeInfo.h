#pragma once
// A data-file kind offered by the load and save dialogs: the model's file
// type, the text of the dialog's type menu and the wildcard whose text
// after "*" is the extension.

struct FiletypeInfo {
  int type;
  const char* description;
  const char* pattern;

  // The pattern without its "*".
  const char* Extension() const;
};

extern const FiletypeInfo kFileTypeInfo_AllData;
extern const FiletypeInfo kFileTypeInfo_AllProg;
extern const FiletypeInfo kFileTypeInfo_AllCombi;
extern const FiletypeInfo kFileTypeInfo_BankProg;
extern const FiletypeInfo kFileTypeInfo_OneProg;
extern const FiletypeInfo kFileTypeInfo_OneCombi;
