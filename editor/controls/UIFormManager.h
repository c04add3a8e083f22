#pragma once
// The registry through which a page finds its compiled-in form. A counted
// singleton; the forms themselves are static data and exist either way.
#include "editor/controls/UI_FORMINFO.h"

class UIFormManager {
 public:
  static bool Initialize();
  static void Uninitialize();
  static UIFormManager* GetInstance() { return mInstance; }

  int GetLayerFormInfoCount() const;
  // Null outside 0..count - 1 or for a record that is not a "Layer".
  const UI_FORMINFO* GetLayerFormInfoByIndex(int index) const;
  // The first "Layer" record in table order with that id; null for none.
  const UI_FORMINFO* GetLayerFormInfoById(int id) const;

  static UIFormManager* mInstance;
  static int mRefCounter;

 private:
  UIFormManager() = default;
  template <typename T>
  friend bool HfcCountedStop(T*& instance, int& count);
};
