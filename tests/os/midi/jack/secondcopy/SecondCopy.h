#pragma once
// A second copy of the JACK backend in a shared object of its own, loaded
// into the test as the standalone program loads the plug-in: its statics
// are its own and only these C functions are exported.
extern "C" {

// Whether the copy uses the process's JACK state exported by the program.
int vesk_second_copy_shares_state();
// Opens a MIDI system of the copy with one input port; null without a
// JACK server. The name the server gave its client is written to `client`.
void* vesk_second_copy_open(const char* name, char* client, int clientSize);
// How many devices (clients) the copy's system lists with this name.
int vesk_second_copy_lists(void* system, const char* deviceName);
// Opens and closes a device publishing maker and model `times` times: the
// copy's calls into the metadata store.
void vesk_second_copy_churn_devices(const char* name, int times);
void vesk_second_copy_close(void* system);

}  // extern "C"
