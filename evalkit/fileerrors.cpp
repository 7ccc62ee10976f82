#include "evalkit/fileerrors.h"

#include "evalkit/programcontext.h"
#include "platform/core/savefile.h"

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

bool refusedAsNotAFile(ProgramContext& app, const QString& path, const QString& what) {
    const std::optional<QString> why = platform::notARegularFile(path);
    if (why)
        reportFileError(app, what, {fileName(path), *why});
    return why.has_value();
}

} // namespace evalkit
