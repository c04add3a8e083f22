#pragma once
// The base of the parameter edit pages: a tab page with its target mode,
// its page menu and a sub-level tab strip of its own.
#include <initializer_list>
#include <list>
#include <string>
#include <thread>

#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/MenuItemInfo.h"

class EditTabPageLayerBase : public CTabPageLayer {
 public:
  EditTabPageLayerBase(Oskend::IRemoteSynth* synth, eMode mode);
  ~EditTabPageLayerBase() override;

  // What the page's menu offers, in menu order; nothing here.
  virtual void GetMenuItemInfoList(std::list<MenuItemInfo>&) {}
  // Acted on at once on the GUI thread; from any other thread it is queued
  // and acted on in the next idle.
  void OnRemoteSynthBankListChanged(Oskend::IRemoteSynth* synth, eMode mode,
                                    const Oskend::SSoundIndex& index) override;
  virtual bool CreateSublevelTab(const std::string& skin, int y, int tabs);
  // The sub-level strip (skin, at y 130, tabs 76 wide) with one page per
  // form id, in order, each editing the sections of `mode`; a form that
  // is missing or fails to build is left out.
  void CreateFormSublevelTab(const std::string& skin, std::initializer_list<int> forms, eMode mode);

  void OnRefresh() override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;

 protected:
  XECommandQueue* FindCommandQueue() override;
  // The end every sound page's menu shares: Load and Save, then fetching
  // and sending the whole image and the sounds of the kind the page edits
  // (programs for eMode_ProgEdit, else performances).
  static void AppendFileAndTransferItems(std::list<MenuItemInfo>& out, eMode sounds);

 private:
  void SynchronizeEveryControl();

  // The thread that built the page, the one that owns its controls.
  std::thread::id m_guiThread = std::this_thread::get_id();
};
