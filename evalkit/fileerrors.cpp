#include "evalkit/fileerrors.h"

#include "evalkit/programcontext.h"

#include <QDir>
#include <QFileInfo>

namespace evalkit {

QString fileName(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

void reportFileError(ProgramContext& app, const QString& what,
                     const platform::ProfileError& error) {
    app.messages().message(what.arg(error.file, error.reason), platform::MsgIcon::Exclamation);
}

} // namespace evalkit
