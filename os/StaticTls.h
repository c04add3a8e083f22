#pragma once

// Thread-local variables of os/ live in the plug-in, which hosts load with
// dlopen. In the initial-exec model they take a slot of the static TLS
// block instead of a block allocated on first use through
// __tls_get_addr: that keeps each access a plain offset from the thread
// pointer, and keeps LeakSanitizer's exit scan away from dynamic TLS
// blocks, whose bookkeeping it misreads in a dlopened object (the scan
// then dies and fails the process after every test has passed). Only for
// small values: the static block's spare room is small.
#define VESK_STATIC_TLS __attribute__((tls_model("initial-exec")))
