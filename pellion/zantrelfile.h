#pragma once
// The configuration file of the maker's radio-link tool, written from the register
// read-outs. It is a profile file saved in one atomic step; a failure is shown with the file's
// name and the reason. A name that stands for no regular file (a device, a named pipe, a
// folder) is refused before anything is worked out for it. Each message of one write is shown
// once.
#include <QString>

namespace pellion {

class PellionApp;

// Writes the file: the registers and main radio settings only while IniRegistersOnly is
// non-zero, with the link protocol's defaults as well while it is 0. R0 is written for both
// directions and R4 with the lock-threshold mode the link tool works with; the set-up
// (direction, lock-threshold mode, read-out marks) is the same afterwards as before. Nothing
// is written when the crystal text, the clock-recovery rate or (for a new file) the RF text is
// not a number above 0; a data rate that gives no beacon length correction leaves that one key
// out, with a message.
void WriteZantrelIni(PellionApp& app, const QString& path);

} // namespace pellion
