#pragma once
// The settings file a program is started with: the command line is the file's name, as the
// start command hands it over.
#include <QString>
#include <QStringList>

namespace evalkit {

// The file named by the arguments after the program's own name, or the empty text. Linux
// hands the arguments over without the quotes a shell consumed, so they are joined with
// blanks and one pair of surrounding quotes is taken away only if it is there: an unquoted
// name is the file name as it stands, however short.
QString commandLineFile(const QStringList& arguments);

} // namespace evalkit
