#pragma once
// The settings text file shared with the maker's radio design tool.
//
// It is a profile file: every line the program does not write stays as it was, and the file
// is saved in one atomic step, so a failed save leaves the old file whole. A name that stands
// for no regular file (a device, a named pipe, a folder) is refused, for a save as for an
// import, before anything is read or written. Every failure to read or write it is shown to
// the user with the file's name and the reason.
#include <QString>

namespace corvane {

class CorvaneApp;

// Saves the set-up in force of the front panel and of the feature dialogs (which are loaded
// unseen if they are not open yet, and stay loaded) into the settings file: an entry a box
// refused is saved as the entry it last took. Nothing is written when the data-rate box does
// not hold a number.
void ExportSettings(CorvaneApp& app, const QString& path);

// Puts a settings file back into the controls, whose own handlers recompute the register
// fields; nothing is written to the board. A file of another version or for another chip
// changes nothing.
// Every value not taken as it stands is named in one message at the end: a value no control
// can take is left out, one the design reads otherwise than written (a number by its leading
// digits, a divider at its limit) is taken as read, and a number key the file lacks reads as
// 0, as the profile functions read it; the rest is applied. The windows it sets stay loaded unseen.
void ImportSettings(CorvaneApp& app, const QString& path);

} // namespace corvane
