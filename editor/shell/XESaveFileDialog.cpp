#include "editor/shell/XESaveFileDialog.h"

XESaveFileDialog::~XESaveFileDialog() = default;
