#pragma once
// The configuration file of the maker's radio-link tool, written from the register
// read-outs. It is a profile file saved in one atomic step; a failure is shown with the file's
// name and the reason. A name that stands for no regular file (a device, a named pipe, a
// folder) is refused before anything is worked out for it. Each message of one write is shown
// once.
#include <QString>

namespace corvane {

class CorvaneApp;

// Writes the file: the registers and main radio settings only while IniRegistersOnly is -1,
// with the link protocol's defaults as well while it is 0. The set-up (direction, sync-word
// mode, read-out marks) is the same afterwards as before. Nothing is written when the
// data-rate, crystal or RF text is not a number above 0.
void WriteZantrelIni(CorvaneApp& app, const QString& path);

} // namespace corvane
