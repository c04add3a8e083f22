#pragma once
// The base of a sound browser page: a list of stored sounds, its scroll
// bar, OK and Cancel, and the link to the shared BlueBrowserData. Choosing
// a line auditions that sound at once; OK keeps it, Cancel restores.
#include <string>

#include "editor/shell/CTabPageLayer.h"
#include "model/SSoundIndex.h"

class BlueBrowserData;
class CHfcCtrlListItem;
class CMMPCtrlList;
class CMMPCtrlScrollBar;
class CHfcCtrlSwitch;

class BlueBrowserBase : public CTabPageLayer {
 public:
  static constexpr int kListId = 1005;
  static constexpr int kScrollId = 1006;
  static constexpr int kOkId = 1013;
  static constexpr int kCancelId = 1014;

  BlueBrowserBase(Oskend::IRemoteSynth* synth, BlueBrowserData* data, const std::string& title);
  ~BlueBrowserBase() override;

  void InitSoundListControl();
  void RequestSetCurrentSound(const Oskend::SSoundIndex& sound);

  virtual void UpdateBrowser(bool rebuildSelectors) = 0;
  virtual void OnUpdateSelection();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void OnCategoryChanged(int v);
  virtual void OnSubCategoryChanged(int v);
  virtual void OnBankChanged(int v);
  virtual void UpdateCategorySwitch(bool reset) = 0;
  virtual void UpdateSubCategorySwitch(bool reset) = 0;
  virtual void UpdateBankSwitch(bool reset) = 0;

  bool OnHfcCtrlEvent(CHfcControl* control, int event, int arg, void* item) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;
  bool OnHfcCtrlKeyDown(CHfcControl* control, int chr, int key, int mods) override;
  bool PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnDestroy() override;

  BlueBrowserData* GetData() const { return m_pData; }
  CMMPCtrlList* GetList() const { return m_pList; }
  CMMPCtrlScrollBar* GetScrollBar() const { return m_pScroll; }
  CHfcCtrlSwitch* GetOkSwitch() const { return m_pOk; }
  CHfcCtrlSwitch* GetCancelSwitch() const { return m_pCancel; }

 protected:
  bool m_bRebuildList = false;
  int m_iLines = 25;
  int m_iColumns = 1;
  CMMPCtrlList* m_pList = nullptr;
  CMMPCtrlScrollBar* m_pScroll = nullptr;
  CHfcCtrlSwitch* m_pOk = nullptr;
  CHfcCtrlSwitch* m_pCancel = nullptr;
  CHfcCtrlListItem* m_pSelected = nullptr;
  BlueBrowserData* m_pData;
};
