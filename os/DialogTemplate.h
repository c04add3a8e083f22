#pragma once
// Dialog definitions (the items of a modal dialog, found by resource id)
// and the modal dialog loop's source of item hits. The headless form hits
// the items that tests script, in order, and the default item when the
// script is empty.
#include <optional>
#include <string>
#include <vector>

namespace os {

struct DialogItem {
  enum class Kind { kButton, kCheckBox, kStaticText, kEditText };
  Kind kind = Kind::kButton;
  int x = 0, y = 0, width = 0, height = 0;
  std::string text;
  // Buttons and check boxes are controls with a value; texts are not.
  int value = 0, minimum = 0, maximum = 1;
  bool HasControl() const { return kind == Kind::kButton || kind == Kind::kCheckBox; }
};

struct DialogTemplate {
  std::string title;
  int width = 0, height = 0;
  std::vector<DialogItem> items;  // item n is items[n - 1]
};

class DialogTemplates {
 public:
  static void Define(int resourceId, DialogTemplate t);
  static std::optional<DialogTemplate> Load(int resourceId);
};

class ModalDialogHits {
 public:
  static void Script(int item);
  // The next scripted hit, or defaultItem when none is left.
  static int Next(int defaultItem);
  static void Reset();
};

}  // namespace os
