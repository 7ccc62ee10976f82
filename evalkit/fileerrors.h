#pragma once
// A profile file as the user knows it: its name in the messages, and a failure to read or write
// it shown with the file and the reason.
#include "platform/core/profile.h"

#include <QString>

namespace evalkit {

class ProgramContext;

// The file's name as the user knows it: its absolute path in the platform's form.
QString fileName(const QString& path);

// Shows `what` with the file and the reason filled in (%1, %2).
void reportFileError(ProgramContext& app, const QString& what, const platform::ProfileError& error);

} // namespace evalkit
