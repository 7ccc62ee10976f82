#pragma once
// The settings text file shared with the maker's radio design tool, and the
// configuration file of the radio-link tool.
//
// Both files are profile files: every line the program does not write stays
// as it was, and each file is saved in one atomic step, so a failed save
// leaves the old file whole. Every failure to read or write a file is shown
// to the user with the file's name and the reason.
#include <QString>

namespace corvane {

class CorvaneApp;

// Saves the set-up of the front panel and of the feature dialogs (which are
// loaded hidden if they are not open yet) into the settings file. Nothing is
// written when the data-rate box does not hold a number.
void ExportSettings(CorvaneApp& app, const QString& path);

// Puts a settings file back into the controls, whose own handlers recompute
// the register fields; nothing is written to the board. A file of another
// version or for another chip changes nothing, nor does one that is not there
// or cannot be read, which is named with the reason. Values that cannot be
// used are left out and named in one message at the end; the rest is applied.
void ImportSettings(CorvaneApp& app, const QString& path);

// Writes the radio-link tool's configuration file from the register read-outs:
// the registers and main radio settings only while IniRegistersOnly is -1,
// with the link protocol's defaults as well while it is 0. The set-up
// (direction, sync-word mode, read-out marks) is the same afterwards as before.
// Nothing is written when the data-rate, crystal or RF text is not a number
// above 0.
void WriteZantrelIni(CorvaneApp& app, const QString& path);

} // namespace corvane
