#include "editor/shell/FiletypeInfo.h"

const FiletypeInfo kFileTypeInfo_AllData{1, "All Data (*.VSKall)", "*.VSKall"};
const FiletypeInfo kFileTypeInfo_AllProg{3, "All Program (*.VSKapr)", "*.VSKapr"};
const FiletypeInfo kFileTypeInfo_AllCombi{4, "All Performance (*.VSKapf)", "*.VSKapf"};
const FiletypeInfo kFileTypeInfo_BankProg{5, "Bank Program (*.VSKbpr)", "*.VSKbpr"};
const FiletypeInfo kFileTypeInfo_OneProg{6, "Program (*.VSKpr)", "*.VSKpr"};
const FiletypeInfo kFileTypeInfo_OneCombi{7, "Performance (*.VSKpf)", "*.VSKpf"};

const char* FiletypeInfo::Extension() const {
  return pattern && pattern[0] == '*' ? pattern + 1 : (pattern ? pattern : "");
}
