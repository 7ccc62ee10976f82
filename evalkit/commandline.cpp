#include "evalkit/commandline.h"

namespace evalkit {

QString commandLineFile(const QStringList& arguments) {
    QString commandLine = arguments.join(QLatin1Char(' '));
    if (commandLine.size() >= 2 && commandLine.startsWith(QLatin1Char('"')) &&
        commandLine.endsWith(QLatin1Char('"')))
        commandLine = commandLine.mid(1, commandLine.size() - 2);
    return commandLine;
}

} // namespace evalkit
