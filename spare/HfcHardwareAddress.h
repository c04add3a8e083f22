#pragma once
// Fills 6 bytes with the primary Ethernet interface's hardware address;
// false, with the 6 bytes zero, when the machine has none.
bool MacGetPrimaryMacAddress(unsigned char* address);
