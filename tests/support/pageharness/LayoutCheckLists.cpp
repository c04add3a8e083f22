// A list's face shows each of its items whole, or in a form of its own
// that its neighbours do not share (a short form, initials): never cut
// with dots, which leaves the reader to guess the rest ("Progr...").
#include <string>

#include "editor/controls/XEDropdownList.h"
#include "hfc/CHfcWindowLayer.h"
#include "hfc/HfcTextFit.h"
#include "tests/support/pageharness/LayoutCheck.h"
#include "tests/support/pageharness/LayoutCheckKit.h"

namespace vesk::test {

using namespace layoutkit;

void LayoutCheck::CheckListFaces(CHfcControl& control, CHfcWindowLayer& layer, const std::string& page) {
  auto* list = dynamic_cast<XEDropdownList*>(&control);
  if (!list) return;
  const int value = list->GetIntValue();
  for (int i = 0; i < list->GetItemCount(); ++i) {
    list->SetIntValue(list->GetMinIntValue() + i, false);
    std::string item;
    list->GetItemText(item, i);
    for (const tagHfcBoxedText& t : DrawAndListen(layer, control)) {
      const std::string shown = HfcFitBmpText(t.font, t.text, t.width);
      if (shown != item && shown.size() >= 3 && shown.compare(shown.size() - 3, 3, "...") == 0)
        Fault(page, DescribeControl(layer, control) + ": its face shows the item \"" + item + "\" cut, as \"" + shown +
                        "\"");
    }
  }
  list->SetIntValue(value, false);
}

}  // namespace vesk::test
