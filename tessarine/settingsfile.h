#pragma once
// The settings text file of tessarine-eval.
//
// It is a profile file: every line the program does not write stays as it was, and the file
// is saved in one atomic step, so a failed save leaves the old file whole. A name that stands
// for no regular file (a device, a named pipe, a folder) is refused, for a save as for an
// import, before anything is read or written. Every failure to read or write it is shown to
// the user with the file's name and the reason.
#include <QString>

namespace tessarine {

class TessarineApp;

// Saves the set-up in force of the front panel, the synthesizer window and the bias,
// clock-out and mux-out windows (loaded unseen when they are not open) into the settings
// file: an entry a box refused is saved as the entry it last took. Nothing else changes.
void ExportSettings(TessarineApp& app, const QString& path);

// Puts a settings file back into the controls, whose own handlers store the register fields;
// nothing is written to the board. A file of another version changes nothing.
// Every value not taken as it stands is named in one message at the end: a value no control
// can take is left out, one the design reads otherwise than written (a number by its leading
// digits, a divider at its limit) is taken as read, and a number key the file lacks reads as
// 0, as the profile functions read it; the rest is applied. The read-outs are refreshed; the
// windows it sets stay loaded unseen.
void ImportSettings(TessarineApp& app, const QString& path);

} // namespace tessarine
