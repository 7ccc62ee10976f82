#pragma once
// The settings text file shared with the maker's radio design tool.
//
// It is a profile file: every line the program does not write stays as it was, and the file
// is saved in one atomic step, so a failed save leaves the old file whole. Every failure to
// read or write it is shown to the user with the file's name and the reason.
#include <QString>

namespace pellion {

class PellionApp;

// Saves the set-up of the front panel, the synthesizer, the bias window and the sync-word
// window (which are loaded hidden if they are not open yet) into the settings file. Nothing is
// written when the data-rate box does not hold a number.
void ExportSettings(PellionApp& app, const QString& path);

// Puts a settings file back into the controls, whose own handlers recompute the register
// fields; nothing is written to the board. A file of another version changes nothing. Values
// that cannot be used, and keys the file lacks, are left out and named in one message at the
// end; the rest is applied.
void ImportSettings(PellionApp& app, const QString& path);

} // namespace pellion
