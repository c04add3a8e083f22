#pragma once
// What this process has open on JACK, kept once for the whole process. The
// standalone host and the plug-in it loads each carry their own copy of the
// JACK backend (with statics and locks of their own), but there is one
// libjack: the JACK clients that either copy opened for a MIDI system are
// the process's own, never devices, and libjack's metadata store must not be
// entered by two threads at once, whichever copy they run in. The program
// exports its copy's state under a versioned C name; a copy loaded into it
// finds that state and uses it instead of its own.
#include <string>

namespace os::midi {

class JackProcess {
 public:
  // Any thread. A JACK client this process opened for a MIDI system, from
  // its opening until after it is closed; its ports are never listed.
  static void AddClient(const std::string& name);
  static void RemoveClient(const std::string& name);
  static bool IsOwnClient(const std::string& name);

  // Any thread. Held around every call of the process into libjack's
  // metadata store (jack_get_property, jack_set_property, ...); held for
  // nothing else, and nothing is waited for under it.
  class MetadataLock {
   public:
    MetadataLock();
    ~MetadataLock();
    MetadataLock(const MetadataLock&) = delete;
    MetadataLock& operator=(const MetadataLock&) = delete;
  };

  // Whether this copy uses the state of another copy of the process.
  static bool SharedWithAnotherCopy();
};

}  // namespace os::midi
