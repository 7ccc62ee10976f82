#pragma once
// The settings text file of tessarine-eval.
//
// It is a profile file: every line the program does not write stays as it was, and the file
// is saved in one atomic step, so a failed save leaves the old file whole. Every failure to
// read or write it is shown to the user with the file's name and the reason.
#include <QString>

namespace tessarine {

class TessarineApp;

// Saves the set-up of the front panel, the synthesizer window and the bias, clock-out and
// mux-out windows (loaded hidden when they are not open) into the settings file. Nothing
// else changes.
void ExportSettings(TessarineApp& app, const QString& path);

// Puts a settings file back into the controls, whose own handlers store the register fields;
// nothing is written to the board. A file of another version changes nothing. A key that is
// missing or holds a value its control cannot take is left out and named in one message at
// the end; the rest of the file is applied and the read-outs are refreshed.
void ImportSettings(TessarineApp& app, const QString& path);

} // namespace tessarine
