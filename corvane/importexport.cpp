#include "corvane/importexport.h"

#include "corvane/corvaneapp.h"
#include "platform/profile.h"

namespace corvane {

void ExportSettings(CorvaneApp&, const QString&) {}

void ImportSettings(CorvaneApp& app, const QString& path) {
    const auto version =
        platform::GetPrivateProfileInt(QStringLiteral("File"), QStringLiteral("Version"), 0, path);
    if (version.value != 1) {
        app.messages().message(
            QStringLiteral("Error: Import file incompatible with this version of software. You "
                           "should check the Verrix website for updates"));
        return;
    }
}

void WriteZantrelIni(CorvaneApp&, const QString&) {}

} // namespace corvane
