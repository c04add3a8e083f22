#pragma once
// The editor window's root layer: the instrument's front panel drawn over
// "Background_Base" (mode switches, LCD with sound and tempo, easy-setup,
// split and controller-target switches, real-time knobs with their timbre
// switches, effect and EQ knobs, wheels, keyboard, logo and utility
// switch), the three main tab strips with their pages, the utility menu
// with the synthesizer's commands, data-file load and save, and the idle
// cycle that carries out what pages ask for.
#include <algorithm>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "editor/shell/BackgroundLayer.h"
#include "editor/shell/IEditTabSelector.h"
#include "editor/shell/MenuItemInfo.h"
#include "model/CombiTimbreTake.h"

class CHfcControl;
class CHfcCtrlCharEditText;
class CHfcCtrlKeyboard;
class CHfcCtrlKnob;
class CHfcCtrlSwitch;
class CHfcCtrlTextSwitch;
class CHfcCtrlWheel;
class CHfcFileDialog;
class CTabControl;
class CTabPageLayer;
namespace Oskend {
class ISection;
class ISoundSection;
struct SSoundIndex;
enum class FTYPE : std::int32_t;
}  // namespace Oskend

class OskendBackgroundLayer : public BackgroundLayer, public IEditTabSelector {
 public:
  // Control ids of the front panel.
  enum : int {
    kIdModeSwitch = 0x13900,  // + GUI mode 0..2
    kIdProgNumber = 0x13903,
    kIdSoundName = 0x13904,
    kIdProgUp = 0x13905,
    kIdProgDown = 0x13906,
    kIdCategory = 0x13907,
    kIdBank = 0x13908,
    kIdTempo = 0x13910,
    kIdEasySetup = 0x1391A,  // + 0..3
    kIdRTKnob = 0x1391E,     // + 0..5
    kIdRTSwitch = 0x13924,   // + 0..5
    kIdFx1Type = 0x1392A,
    kIdFx1Knob = 0x1392B,  // + 0..2
    kIdFx2Type = 0x1392E,
    kIdFx2Knob = 0x1392F,  // + 0..2
    kIdEqKnob = 0x13932,   // + 0..2
    kIdSplitType = 0x13937,  // + 0..2
    kIdCtrlTarget = 0x1393A,  // + 0..1
    kIdUtility = 0x13942,
    kIdPerfTab = 0x13944,
    kIdProgTab = 0x13946,
    kIdGlobalTab = 0x13948,
    kIdLogo = 0x1394A,
    kIdKeyboard = 0x1394C,
    kIdWheels = 0x1394D,
  };
  static constexpr uint32_t kTimerIdle = 0xFFFFFFFFu;

  OskendBackgroundLayer(IPlugInHost* plugin, Oskend::IRemoteSynth* synth);
  ~OskendBackgroundLayer() override;

  bool OnCreate() override;
  bool OnDestroy() override;
  void OnRefresh() override;
  void OnIdle(unsigned long now) override;
  bool PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;

  // Front panel state.
  int GetGUIMode();
  virtual void OnGUIModeChanged(int mode);
  void OnModeChanged() override;
  void SelectEditTabPage(int synthMode, int page, int subPage) override;
  // The page the user is on: the synthesizer's mode, the main tab of its
  // strip and the sub-tab (-1 where there is none). A rebuilt window's new
  // root layer shows the page the old one showed (ShowPageWhenShown, before
  // its first idle tick), as long as the synthesizer stays in that mode.
  // GUI thread.
  struct ShownPage {
    int mode = -1;
    int page = -1;
    int subPage = -1;
  };
  ShownPage GetShownPage();
  void ShowPageWhenShown(const ShownPage& page);
  // A sub-page index held to the pages there are (0 .. count - 1).
  static int ClampSubPage(int index, int count) { return std::max(0, std::min(index, count - 1)); }
  int GetActiveTimbres();
  int GetKnobAssignState() const { return m_iKnobAssign; }
  int GetSplitType() const { return m_iSplitType; }
  CTabControl* GetMainTab(int guiMode) const;
  void RegistLayerAsMIDIReceiver(XESynthLayer* layer, bool);
  void OnMidiIn(uint8_t status, uint8_t d1, uint8_t d2) override;
  void SetAutomation(int index);
  void SetAutomationByPid(int pid);
  // The host automates the performance's parameters while a performance is
  // shown: the row of pid then, else -1.
  int AutomationIndexOf(int pid);
  // The real-time-control parameter a panel knob (real-time, effect or EQ
  // knob) drives; -1 for other controls.
  static int PanelKnobParam(int id);
  // The automation row a panel knob drives now (its page and timbre group
  // choose it); -1 for none.
  int PanelKnobAutomation(const CHfcControl* c);

  // Displays.
  void UpdateMainLCD();
  void UpdateSoundDisplay();
  void UpdateTempoEdit();
  void UpdateSoundDisplaySeqRunning();
  void UpdateRealtimeControllers();
  void UpdateTrackShiftSwitch() { RequestRedraw(); }
  void TrackShift(int) {}
  void UpdateLogoSwitches();
  void AllSoundOff();
  // The tempo text: hundredths of BPM with three whole digits, "---.--"
  // below 40 BPM.
  static std::string FormatTempo(int hundredths);
  // The tempo typed into the entry, in hundredths of BPM.
  static int ParseTempo(const char* text);

  // Stepping through the performances (sound mode 0 only).
  int ProgramNumberInc();
  int ProgramNumberDec();
  void ChangeCurrentSound(const Oskend::SSoundIndex& index);

  // Follow-up edits of the combination edit buffer.
  void CombiFxLoadBankProg(int prog);
  void CombiLoadIfx(int ifx, int bank, int number);
  void CombiResetRelParam(int ifx, int upper);

  // Utility menu and remote commands.
  virtual void OnUtilitySwitch();
  void OnUtilityItem(int id, const std::string& title);
  void OnRemoteSynthCommand(int id, const std::string& title);
  // The model command and its four arguments for a menu id; false for an
  // id that runs no command.
  struct RemoteCommand {
    int cmd, a1, a2, a3, a4;
  };
  static bool CommandFor(int id, int mode, int bank, int number, RemoteCommand* out);
  // The box text of a failed command.
  static std::string CommandErrorText(const std::string& title, unsigned long status);
  // The box text of a failed load, given why its send failed (0: it did
  // not fail there).
  static std::string LoadErrorText(int sendFailure);
  // The menu items shown for a page's list, in order (never-shown ids
  // dropped, All Sound Off appended).
  static std::vector<MenuItemInfo> MenuItemsShown(const std::list<MenuItemInfo>& pageItems);

  // Data files.
  static void MakeFileTypeInfoArray(std::vector<FiletypeInfo>& types,
                                    Oskend::IRemoteSynth* synth);
  void OpenLoadDialog();
  void OpenSaveDialog();
  void OpenAutoLoadDialog();
  const std::vector<FiletypeInfo>& GetFileTypes() const { return m_fileTypes; }
  // Writes through a temporary file beside the target that is renamed
  // into place only when the model wrote it.
  bool SaveDataFile(const std::string& path, int type, uint32_t extra);
  // The question asked before a file of this kind is loaded, empty when
  // loading it replaces no stored sound.
  static std::string LoadQuestion(Oskend::IRemoteSynth* synth, Oskend::FTYPE type,
                                  uint32_t selector);

  // File dialog listener.
  void OnHfcFileDialogAction(CHfcFileDialog* dialog, int action, void* data) override;
  void OnHfcFileDialogFileTypeChanged(CHfcFileDialog* dialog, int index, void* data) override;
  bool OnHfcFileDialogBrowseFilterFSRef(CHfcFileDialog* dialog, FSRef* ref, bool isFolder,
                                        void* data) override;
  bool OnHfcFileDialogBrowseFilter_Common(CHfcFileDialog* dialog, const std::string& path,
                                          bool isFolder);

  // Controls.
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* c, int x, int y, int mods) override;
  bool OnHfcCtrlMouseLButtonUp(CHfcControl*, int, int, int) override { return false; }
  bool OnHfcCtrlMouseLButtonDoubleClick(CHfcControl* c, int x, int y, int mods) override;
  bool OnHfcCtrlMouseLButtonLongDown(CHfcControl* c, int x, int y, int mods) override;
  // The arrow characters step the sound on the number and name fields.
  bool OnHfcCtrlKeyDown(CHfcControl* c, int chr, int key, int mods) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* c, int value) override;
  void OnHfcCtrlPtrValueChanged(CHfcControl* c, void* value) override;
  void OnHfcCtrlBeginEdit(CHfcControl* c) override;
  void OnHfcCtrlEndEdit(CHfcControl* c) override;
  void OnFxTypeSwitch(int which);
  void OnRealtimeSwitch(int i);

  // Model events.
  void OnIdleRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool, bool) override;
  void OnIdleRemoteSynthModeChanged(Oskend::IRemoteSynth*, int) override;
  void OnIdleRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*,
                                        const Oskend::SSoundIndex&) override;
  void OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode,
                                        const Oskend::SSoundIndex&) override;
  void OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth*, bool on) override;
  void OnIdleRemoteSynthSeqStateChanged(Oskend::IRemoteSynth*, bool) override;
  void OnIdleRemoteSynthNeedAutomationAPI(Oskend::IRemoteSynth*, long v) override;
  void OnIdleSectionReinitialized(Oskend::ISection* section) override;
  void OnIdleSectionParamChanged(Oskend::ISection* section, int pid) override;

  // Tests: pause between program steps (ms of simulated time are free).
  void SetStepPauseEnabled(bool on) { m_bStepPause = on; }

 private:
  void CreateMainPanel();
  bool CreateModeSelectSwitches();
  bool CreateMainLCD();
  bool CreateRTKnobSelectSwitches();
  bool CreateRealTimeKnobs();
  bool CreatePanelSwitches();
  bool CreateFxEqKnobs();
  void CreateMainEditTabs();
  CTabControl* CreateMainTab(int id, const char* skin, std::vector<CTabPageLayer*> pages);
  bool CreateUtilitySwitch();
  bool CreateKeyboardControl();
  bool CreateWheelControls();
  bool CreateLogoSwitches();
  CHfcCtrlSwitch* MakeSwitch(int x, int y, const char* skin, int states, int id, int user,
                             bool oneFramePerState);
  CHfcCtrlKnob* MakeKnob(int x, int y, const char* skin, int id);
  // An entry on the LCD; its focus margin is repainted with it, so only a
  // margin that reaches no neighbour may be given.
  CHfcCtrlCharEditText* MakeEdit(int x, int y, int w, int h, int columns, const char* font,
                                 int id, int focusMargin);
  void Place(CHfcControl* control);
  std::vector<Oskend::ISection*> SinkSections();
  void UpdateKnob(CHfcControl* knob, Oskend::ISection* section, int pid, bool disabledNoDesc);
  // The steps of UpdateRealtimeControllers, for the synthesizer's mode and
  // the real-time control section (null when there is none).
  void UpdateRealtimeStrips(int mode, Oskend::ISection* rt);
  void UpdateEasySetupSwitches(int mode, Oskend::ISection* rt);
  void UpdateSplitAndTargetSwitches(int mode, Oskend::ISection* rt);
  void UpdateEffectSection(int mode, Oskend::ISection* rt);
  bool IsCombiEditSection(Oskend::ISection* section);
  // A parameter of the performance edit buffer; none when no section of it
  // holds the id.
  std::optional<int> CombiEditParam(int pid);
  // The follow-up edits of OnIdleSectionParamChanged. The panel handler
  // answers whether the displays are to be refreshed after it.
  static int StripOfMode(int synthMode);
  void ShowEditTabPage(int guiMode, int page, int subPage);
  void ShowCarriedPage(int mode);
  void OnTimbreProgramChanged(int timbre);
  void OnTimbreIfxUseChanged(int timbre);
  // The follow-up edits over the combination edit buffer and the stored
  // programs of the model.
  Oskend::CombiTimbreTake CombiTake();
  // Tells the host of the automated master-effect and EQ rows after a copy
  // replaced them. GUI thread.
  void ReportMasterFxRows();
  bool OnCombiPanelParamChanged(int pid, int value);
  void ShowCtrlTarget(int target);
  // Without a split only Main is a target: it is lit, Sub dark and disabled.
  void ShowNoSplitTargets();
  // Lights the easy-setup switch of `setup` (1 to 4) alone.
  void ShowEasySetup(int setup);
  // The arrows and number entry of a performance, or a program's bank.
  void ShowPerformanceStepping(bool on);
  // The click handlers of OnHfcCtrlMouseLButtonDown, with its answer.
  bool OnModeSwitchClicked(int guiMode);
  bool OnEasySetupClicked(int setup);
  bool OnSplitTypeClicked(int split);
  bool OnCtrlTargetClicked(int target);
  bool OnFxTypeSwitchClicked(int which);
  bool OnUtilitySwitchClicked(CHfcControl* c);
  bool OnLogoClicked(CHfcControl* c);
  // Sends a moved wheel's pitch bend or modulation to the synthesizer and
  // the MIDI receivers.
  void OnWheelMoved(CHfcControl* wheel, int value);
  // A song plays in sequencer mode: sounds and the menu stay as they are.
  bool IsSongRunning();
  bool IsRealtimeSection(Oskend::ISection* section);
  int MidiChannel();
  void Pause(int ms);
  void ShowError(const std::string& text);

  CHfcCtrlSwitch* m_modeSwitch[3] = {};
  CHfcCtrlSwitch* m_easySwitch[4] = {};
  CHfcCtrlSwitch* m_splitSwitch[3] = {};
  CHfcCtrlSwitch* m_targetSwitch[2] = {};
  CHfcCtrlSwitch* m_rtSwitch[6] = {};
  CHfcCtrlSwitch* m_fxTypeSwitch[2] = {};
  CHfcCtrlKeyboard* m_pKeyboard = nullptr;
  CHfcCtrlWheel* m_wheel[2] = {};
  CTabControl* m_mainTab[3] = {};
  std::vector<Oskend::ISection*> m_advised;
  int m_iOscMode = 0;
  int m_iPendingPage = -1;
  ShownPage m_carriedPage;
  int m_iSplitType = 0;
  int m_iGUIMode = 0;
  int m_iKnobAssign = 0;
  int m_iFxSetupMode = 0;
  uint32_t m_uLastBlink = 0;
  uint32_t m_fxDebounce[2] = {kTimerIdle, kTimerIdle};
  bool m_bStepPause = true;
};
