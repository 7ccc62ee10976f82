#pragma once
// A profile file as the user knows it: its name in the messages, and a failure to read or write
// it shown with the file and the reason.
#include "platform/core/profile.h"

#include <QString>

namespace evalkit {

class ProgramContext;

// The messages of the files, with the file (%1) and the reason (%2) to fill in.
inline const QString SettingsReadFailure =
    QStringLiteral("The settings file %1 could not be read: %2");
inline const QString SettingsSaveFailure =
    QStringLiteral("The settings could not be saved to %1: %2");
inline const QString ZantrelWriteFailure =
    QStringLiteral("The Zantrel file %1 could not be written: %2");

// The file's name as the user knows it: its absolute path in the platform's form.
QString fileName(const QString& path);

// Shows `what` with the file and the reason filled in (%1, %2).
void reportFileError(ProgramContext& app, const QString& what, const platform::ProfileError& error);

// A name the user gave where something stands that is not a regular file (a device, a named
// pipe, a folder): shown with `what`, before anything is read, worked out or written for it.
// True when it was refused.
bool refusedAsNotAFile(ProgramContext& app, const QString& path, const QString& what);

} // namespace evalkit
