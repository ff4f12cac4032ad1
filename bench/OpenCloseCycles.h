#pragma once

class TIniFile;

// Opens and closes each dialog `cycles` times, alternating between the two
// catalogues, with every kind of modal window on the way: QoS reset
// (confirmed), a zero weight (error box), Ok, self-deletion; VLAN Default
// (confirmed), a new entry through the VID entry dialog, an accepted Set,
// destruction by the host. Run under LeakSanitizer, anything the dialogs
// fail to free shows. Returns the number of cycles that went wrong.
int runOpenCloseCycles(int cycles, TIniFile* catalogueA, TIniFile* catalogueB);
