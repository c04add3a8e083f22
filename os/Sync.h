#pragma once
// How the threads of this program guard what they share and wait for each
// other: one small set, on which every other primitive of the program is
// built (XEvent on os::Monitor; CHfcCriticalSection, CHfcMutex and XMutex
// on os::Lock).
//
//   os::Lock        guards shared state for the few steps that read or
//                   change it.
//   os::Monitor     the one way to wait for another thread: a lock with a
//                   condition and a deadline (simulated time under
//                   os::VirtualClock; real time for the machine's devices,
//                   kRealTime).
//   os::WakeSignal  wakes one waiting thread from any thread, the host's
//                   audio thread included: it takes no lock and allocates
//                   nothing.
//
// The rule: no lock is held across a wait. A thread that waits (on a
// Monitor, an XEvent or a WakeSignal, for a thread to end, for a message
// to leave on the wire) holds no lock but the Monitor's own, which the wait
// gives up. Work that may last (a SysEx message on the wire) is claimed as
// state under a Monitor, and whoever must not interleave with it waits for
// that state without holding anything. Builds with assertions (the tests)
// stop the program when a wait begins while its thread holds a plain
// os::Lock. The framework's recursive locks are the exception the Parts
// make: the GUI thread holds them around whole handlers as guards against
// re-entry (the root layer's GUI-mode lock; a source's list of sinks while
// they are told), and such a handler may wait for the synthesizer.
#include "os/Lock.h"
#include "os/Monitor.h"
#include "os/WakeSignal.h"
