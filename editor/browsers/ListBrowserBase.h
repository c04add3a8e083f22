#pragma once
// The shape shared by the red and the parameter pickers: a modal page with
// one scrolling list of the values of one parameter, OK and Cancel, and
// live preview: choosing a line writes it at once while an audition runs,
// OK keeps it, Cancel (Escape, or closing the page) restores.
#include <string>

#include "editor/shell/CTabPageLayer.h"

struct SParamDesc;
class CHfcCtrlListItem;
class CHfcCtrlSwitch;
class CMMPCtrlList;
class CMMPCtrlScrollBar;

class ListBrowserBase : public CTabPageLayer {
 public:
  enum class Style { kRed, kParam };
  static constexpr int kOkId = 0;
  static constexpr int kCancelId = 1;
  static constexpr int kListId = 2;
  static constexpr int kScrollId = 3;
  static constexpr int kCategoryId = 4;

  ListBrowserBase(Oskend::IRemoteSynth* synth, eMode mode, int parameter, const std::string& title,
                  Style style, bool categoryArea, bool extraArea);
  ~ListBrowserBase() override = default;

  void RequestInitListControl() { m_bInitRequest = true; }

  virtual void InitListControl() = 0;
  virtual int GetAuditionContex() const { return 2; }
  virtual void OnItemSelected(CHfcCtrlListItem* item);
  virtual void DoOK();
  virtual void DoCancel();
  virtual void DoIt(int value) = 0;
  virtual void Undo() = 0;
  void OnOK();
  void OnCancel();

  bool OnCreate() override;
  bool OnDestroy() override;
  void OnIdle(unsigned long elapsed) override;
  bool EndModal() override;
  void ProcessEvent(const EventInfo& event) override;
  bool OnHfcCtrlEvent(CHfcControl* control, int event, int arg, void* item) override;
  bool OnHfcCtrlKeyDown(CHfcControl* control, int chr, int key, int mods) override;
  bool OnHfcCtrlKeyChar(CHfcControl* control, int chr) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;
  bool PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool PreMouseWheelMoved(CHfcMouse* m, int x, int y, int axis, int delta, int mods) override;

  int GetParameter() const { return m_iParameter; }
  int GetOpeningValue() const { return m_iOpeningValue; }
  CMMPCtrlList* GetList() const { return m_pList; }
  CMMPCtrlScrollBar* GetScrollBar() const { return m_pScroll; }
  CHfcCtrlSwitch* GetOkSwitch() const { return m_pOk; }
  CHfcCtrlSwitch* GetCancelSwitch() const { return m_pCancel; }
  int GetVisibleLines() const { return m_iLines; }

 protected:
  // Fills the scroll range after a member has filled the list.
  void FinishList();
  // The display text of a value through the parameter's converter.
  static std::string ValueText(const SParamDesc& desc, int value);

  bool m_bOkPressed = false;
  bool m_bCancelPressed = false;
  bool m_bCategoryArea;
  bool m_bExtraArea;
  int m_iParameter;
  int m_iOpeningValue;
  int m_iLines = 23;
  int m_iColumns = 1;
  CMMPCtrlList* m_pList = nullptr;
  CMMPCtrlScrollBar* m_pScroll = nullptr;
  CHfcCtrlSwitch* m_pOk = nullptr;
  CHfcCtrlSwitch* m_pCancel = nullptr;
  bool m_bInitRequest = false;
  Style m_style;
};
