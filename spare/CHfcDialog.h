#pragma once
// A modal dialog made from a dialog definition. Item 1 is the default item
// and item 2 the cancel item; the modal loop ends at the first hit of
// either.
#include <memory>
#include <optional>
#include <string>

#include "spare/HfcAppEvent.h"

class CHfcWindow;
namespace os {
struct DialogItem;
struct DialogTemplate;
}

class CHfcDialog {
 public:
  CHfcDialog();
  virtual ~CHfcDialog();
  CHfcDialog(const CHfcDialog&) = delete;
  CHfcDialog& operator=(const CHfcDialog&) = delete;

  bool Create(int resID, CHfcWindow* parent);
  bool Destroy();
  // The item hit (1 or 2), 0 when not created.
  int DoModal();
  int DoModeless() { return 0; }
  bool SetTitle(const char* title);
  const std::string* GetTitle() const;
  // Copies the item's text as strncpy does (at most len bytes).
  bool GetItemText(int item, char* dst, int len);
  // Sets the text and answers false in every case, as callers of this
  // class have always been told.
  bool SetItemText(int item, const char* text);
  int GetItemValue(int item);
  int GetItemValueMin(int item);
  int GetItemValueMax(int item);
  bool SetItemValue(int item, int value);
  bool SetItemValueMin(int item, int value);
  bool SetItemValueMax(int item, int value);

  // Drag handling of the original loop has no counterpart here: false, so
  // the loop goes on with its own handling.
  virtual bool MacModalFilterProc(const tagHfcAppEvent* event, short* itemHit);
  // The command 'ok  ' or 'not!' ends the modal loop (with item 1 or 2).
  virtual int OnMacEvent(const tagHfcAppEvent& event);

  bool IsCreated() const { return template_ != nullptr; }

 private:
  os::DialogItem* ItemAt(int item);

  int resID_ = 0;
  CHfcWindow* parent_ = nullptr;
  int highestModalItem_ = 0;
  bool filterActive_ = false;
  int endedWith_ = 0;
  std::unique_ptr<os::DialogTemplate> template_;
};
