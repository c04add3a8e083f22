#include "editor/shell/XEFileSelectDialog.h"

XEFileSelectDialog::~XEFileSelectDialog() = default;
