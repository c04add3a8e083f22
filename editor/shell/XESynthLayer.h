#pragma once
// A layer whose controls are bound to parameters of the synthesizer model:
// each linked control writes its edits into its section, and every linked
// control follows the parameter (value, range, enabled and shown state,
// value text, list items, knob text layout) when the model reports a
// change. The model's notices arrive through the event queue of the base
// and are acted on in the layer's idle, on the GUI thread.
#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "editor/controls/IXEGraphPage.h"
#include "editor/shell/XELayerBase.h"
#include "editor/shell/XERemoteSynthEventHandler.h"
#include "model/eMode.h"

struct SParamDesc;
class EnvelopeGraphManager;
class FxRoutingGraphManager;
class KeyTrkGraphManager;
class SplitBarGraphManager;
class VeloZoneGraphManager;
class XEControlContainer;
class XEDropdownList;
class XEKnob;
namespace Oskend {
class IRemoteSynth;
class ISection;
}  // namespace Oskend

struct SParamIdInfo {
  Oskend::ISection* section = nullptr;
  int pid = -1;
};

struct ControlId {
  int id;
  int group;
};

class XESynthLayer : public XELayerBase, public XERemoteSynthEventHandler {
 public:
  // The label of parameter p carries the control id p + kLabelIdOffset.
  static constexpr int kLabelIdOffset = 0xBA00;

  explicit XESynthLayer(Oskend::IRemoteSynth* synth);
  ~XESynthLayer() override;

  Oskend::IRemoteSynth* GetRemoteSynth() const { return m_pRemoteSynth; }
  virtual eMode GetTargetMode() const { return m_eTargetMode; }
  virtual void SetTargetMode(eMode mode) { m_eTargetMode = mode; }

  // Linking.
  Oskend::ISection* GetParamSection(eMode mode, int pid) const;
  bool LinkWithParameter(eMode mode, int pid);
  bool LinkWithParameter(Oskend::ISection* section, int pid);
  void UnlinkWithParameter(Oskend::ISection* section);
  void LinkControlWithParam(CHfcControl* control, eMode mode, int pid);
  void LinkControlWithParam(CHfcControl* control, Oskend::ISection* section, int pid);
  void UnlinkControlWithParam(CHfcControl* control);
  void RelinkControlWithParam(CHfcControl* control, eMode mode, int pid);
  void UnlinkAllControlsWithParam();
  void AssociateCtrlIdWithParamId(int64_t key, const SParamIdInfo& info);
  void UnassociateCtrlIdWithParamId(int64_t key);
  SParamIdInfo GetParameterIdByControlId(int id, int group = 0) const;
  SParamIdInfo GetParameterIdByControl(const CHfcControl* control) const;
  void GetCtrlIdListByParamId(std::list<ControlId>& out, const SParamIdInfo& info) const;
  size_t GetLinkCount() const { return m_controlMap.size(); }
  // Links of this layer's controls to the section (0 when not advised).
  int GetSectionLinkCount(Oskend::ISection* section) const;

  // Synchronisation.
  void SynchronizeControlWithParam(CHfcControl* control, bool full);
  virtual void SynchronizeControlWithParam(CHfcControl* control, Oskend::ISection* section, int pid,
                                           bool full);
  virtual void OnPostSynchronizeControlWithParam(CHfcControl*, Oskend::ISection*, int) {}
  virtual void InitDropdownList(XEDropdownList* list, const SParamDesc* desc);
  void SynchronizeAllControlWithParam(Oskend::ISection* section, bool full);

  // Model access by (mode, parameter id).
  bool GetParamDesc(SParamDesc* desc, eMode mode, int pid) const;
  int GetParamValue(eMode mode, int pid) const;
  std::string GetParamString(eMode mode, int pid) const;
  void PutParamValue(eMode mode, int pid, int value) const;
  void PutParamString(eMode mode, int pid, const std::string& text) const;

  // Containers, owned once added.
  void AddContainer(XEControlContainer* container);
  XEControlContainer* GetContainerByIndex(int index) const;
  int GetContainerCount() const { return static_cast<int>(m_containers.size()); }
  void SetActiveContainerIndex(int index);
  int GetActiveContainerIndex() const;

  const std::list<Oskend::ISection*>& GetPendingSections() const { return m_pending; }

  // Graph managers: consulted by synchronisation and by the graphs' value
  // reports. The layer owns every manager added (OnDestroy deletes them).
  // They reach the layer through GetGraphPage().
  IXEGraphPage* GetGraphPage() { return &m_graphPage; }
  void AddEnvelopeGraphManager(EnvelopeGraphManager* m);
  void AddKeyTrkGraphManager(KeyTrkGraphManager* m);
  void AddVeloZoneGraphManager(VeloZoneGraphManager* m);
  void AddFxRoutingGraphManager(FxRoutingGraphManager* m);
  void AddSplitBarGraphManager(SplitBarGraphManager* m);
  size_t GetGraphManagerCount() const;

  // Layer.
  bool Show(bool redraw) override;
  bool OnCreate() override;
  bool OnDestroy() override;
  void OnIdle(unsigned long elapsed) override;
  void OnRefresh() override;
  void OnPostDrawBackground(CHfcOffscreenContext*) override {}

  // Controls.
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void OnHfcCtrlPtrValueChanged(CHfcControl* control, void* value) override;
  void OnHfcCtrlKeyLostFocus(CHfcControl* control) override;
  // A control of a parameter the host automates brackets the user's edit
  // as one gesture of the host's: begin at the press, end at the release.
  void OnHfcCtrlBeginEdit(CHfcControl* control) override;
  void OnHfcCtrlEndEdit(CHfcControl* control) override;

  // Model events, replayed in the idle.
  void OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode,
                                        const Oskend::SSoundIndex&) override;
  void OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool) override;
  void OnIdleSectionReinitialized(Oskend::ISection* section) override;
  void OnIdleSectionParamPropsChanged(Oskend::ISection* section, int pid) override;
  void OnIdleSectionParamChanged(Oskend::ISection* section, int pid) override;

  // The knob text layout for a range: x, y and length of the value text
  // and the font name (the widest text over the lowest value and the one
  // below the highest).
  struct KnobTextLayout {
    int x;
    int y;
    int length;
    const char* font;
  };
  static KnobTextLayout ComputeKnobTextLayout(const SParamDesc& desc);
  // The text a control shows for a value of its parameter.
  std::string ValueText(CHfcControl* control, const SParamDesc& desc, int value);

 protected:
  Oskend::IRemoteSynth* m_pRemoteSynth;
  eMode m_eTargetMode = eMode_None;

 private:
  // The layer as its graph managers see it.
  class GraphPage : public IXEGraphPage {
   public:
    explicit GraphPage(XESynthLayer* layer) : m_pLayer(layer) {}
    CHfcBmp* GetGraphPageBaseBmp() override { return m_pLayer->GetBackgroundBmp(); }
    int GetTargetMode() const override { return m_pLayer->GetTargetMode(); }
    bool AddControl(CHfcControl* c, bool redraw) override { return m_pLayer->AddControl(c, redraw); }
    void LinkControlWithParam(CHfcControl* c, int mode, int pid) override {
      m_pLayer->LinkControlWithParam(c, static_cast<eMode>(mode), pid);
    }
    void SynchronizeControlWithParam(CHfcControl* c, bool full) override {
      m_pLayer->SynchronizeControlWithParam(c, full);
    }
    void PutParamValue(int mode, int pid, int value) const override {
      m_pLayer->PutParamValue(static_cast<eMode>(mode), pid, value);
    }

   private:
    XESynthLayer* m_pLayer;
  };

  void DeleteGraphManagers();
  void GraphParamToControl(CHfcControl* control, int pid);
  void GraphControlToParam(CHfcControl* control, void* record);

  // Advises the section on its first link from this layer; unadvises it
  // with its last.
  void AddSectionLink(Oskend::ISection* section);
  void RemoveSectionLink(Oskend::ISection* section);
  void SynchronizeLinked(Oskend::ISection* section, int pid, bool full);
  void LayOutKnob(XEKnob* knob, const SParamDesc& desc);
  // The steps of SynchronizeControlWithParam: enable and visibility from
  // the row's flags; range, value and text of a numeric parameter; and what
  // the control's own class adds, answering whether it shows a value text.
  void SynchronizeControlState(CHfcControl* control, const SParamDesc& desc, int pid);
  void SynchronizeControlValue(CHfcControl* control, const SParamDesc& desc, int value, bool full);
  bool PrepareControlOfItsClass(CHfcControl* control, const SParamDesc& desc, bool full, int* value);

  std::map<int64_t, SParamIdInfo> m_controlMap;
  std::map<Oskend::ISection*, int> m_sectionLinks;
  std::list<Oskend::ISection*> m_pending;
  std::vector<XEControlContainer*> m_containers;
  std::list<EnvelopeGraphManager*> m_envelopeManagers;
  std::list<KeyTrkGraphManager*> m_keyTrkManagers;
  std::list<VeloZoneGraphManager*> m_veloZoneManagers;
  std::list<FxRoutingGraphManager*> m_fxRoutingManagers;
  std::list<SplitBarGraphManager*> m_splitBarManagers;
  GraphPage m_graphPage{this};
  bool m_bAdvised = false;
};
