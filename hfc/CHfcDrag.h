#pragma once
// The process-wide drag support object, counted by Initialize and
// Uninitialize; the drag handlers of layers and controls receive it.
class CHfcDrag {
 public:
  static CHfcDrag* sm_pInstance;
  static int sm_iRefCount;

  static bool Initialize();
  static bool Uninitialize();
  // True when the clipboard (os::Scrap) holds data of the four-character
  // type.
  static bool IsFormatAvailable(unsigned int type);
  static bool RegisterType(char*) { return false; }

 private:
  CHfcDrag() = default;
};
