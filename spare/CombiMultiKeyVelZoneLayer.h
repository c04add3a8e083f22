#pragma once
// The "K/V Zone" page: for every timbre its key zone and velocity zone
// (top, bottom and the two slopes), as fields and lists and as a zone bar
// over a keyboard and a velocity scale. The four values of a zone stay
// consistent whichever changes, and a note-on from the host or the
// synthesizer fills the key or velocity field being typed into.
#include <mutex>

#include "editor/pages/combi_global/CombiMultiLayerBase.h"
#include "os/Lock.h"
#include "remote/IRemoteSynthMIDISink.h"

class XEControlCreater;
class ZubZoneSlopeBar;

class CombiMultiKeyVelZoneLayer : public CombiMultiLayerBase, public Oskend::IRemoteSynthMIDISink {
 public:
  static constexpr int kTimbres = 16;
  static constexpr int kKeyBarId = 0x20000;
  static constexpr int kVelBarId = 0x30000;

  CombiMultiKeyVelZoneLayer(Oskend::IRemoteSynth* synth, eMode mode, bool groups);

  bool OnCreate() override;
  bool OnDestroy() override;
  void OnIdle(unsigned long elapsed) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void OnHfcCtrlPtrValueChanged(CHfcControl* control, void* value) override;
  void OnPostSynchronizeControlWithParam(CHfcControl* control, Oskend::ISection* section,
                                         int pid) override;
  void OnPostDrawBackground(CHfcOffscreenContext* dc) override;
  void OnMidiIn(unsigned char status, unsigned char data1, unsigned char data2) override;
  // From the synthesizer link's MIDI thread: only queued here.
  void OnRemoteSynthMIDIIn(Oskend::IRemoteSynth* synth, const void* bytes,
                           unsigned length) override;
  // The first parameter id of a timbre; the zone parameters follow at
  // offsets 44 to 51.
  virtual int GetParamIdBase(int timbre) = 0;

  int GetNearestKeyIndex(int target, int limit) const;
  int GetNearestVelIndex(int target, int limit) const;
  void ApplyKeyValueChange(int id, int value, bool fromField);
  void ApplyVelValueChange(int id, int value, bool fromField);
  void OnNoteInput(int status, int data1, int data2);

  size_t GetTrackIndicatorCount() const { return m_trackIndicators.size(); }
  ZubZoneSlopeBar* GetKeyBar(int timbre) const { return m_keyBars[timbre]; }
  ZubZoneSlopeBar* GetVelBar(int timbre) const { return m_velBars[timbre]; }

 protected:
  void CreateKeyZoneControls();
  void CreateVelocityZoneControls();
  void CreateTimbreNumbers(XEControlCreater* creator, XEControlContainer* container, int timbre);
  // Where zone values are read and stored; the page's parameters by
  // default.
  virtual int GetZoneValue(int id);
  virtual void PutZoneValue(int id, int value);

 private:
  void CreateRows(int top, const int* offsets, const char* const* labels);
  void PutLinked(XEControlContainer* group, CHfcControl* control, int id);
  void PutLabel(XEControlContainer* group, int x, int y, const char* text, int w, int style,
                int align);
  bool ApplyZoneChange(bool velocity, int id, int value, bool fromField);

  ZubZoneSlopeBar* m_keyBars[kTimbres] = {};
  ZubZoneSlopeBar* m_velBars[kTimbres] = {};

  // The note-ons from the link waiting for the idle; only the last counts.
  os::Lock m_noteLock;
  bool m_bNotePending = false;
  unsigned char m_note[3] = {};
};

class CombiKeyVelZoneLayer : public CombiMultiKeyVelZoneLayer {
 public:
  explicit CombiKeyVelZoneLayer(Oskend::IRemoteSynth* synth);
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
  int GetParamIdBase(int timbre) override { return (timbre << 8) + 0x200; }
};

class MultiKeyVelZoneLayer : public CombiMultiKeyVelZoneLayer {
 public:
  explicit MultiKeyVelZoneLayer(Oskend::IRemoteSynth* synth);
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
  int GetParamIdBase(int) override { return -1; }
};
