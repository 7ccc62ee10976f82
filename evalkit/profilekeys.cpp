#include "evalkit/profilekeys.h"

#include "evalkit/programcontext.h"
#include "platform/numbers.h"

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

std::optional<QString> KeyReader::text(const Key& k) const {
    std::optional<QString> v = document_.value(k.sectionName(), k.keyName());
    if (v && v->isEmpty())
        return std::nullopt;
    return v;
}

std::optional<int> KeyReader::whole(const Key& k, int low, int high) {
    const std::optional<QString> t = text(k);
    if (!t)
        return 0;
    const std::optional<double> v = platform::textToNumber(*t);
    const std::optional<int32_t> n = v ? platform::toInt32(*v) : std::nullopt;
    if (!n || double(*n) != *v || *n < low || *n > high)
        return skip(k);
    return *n;
}

std::optional<int> KeyReader::required(const Key& k, int low, int high) {
    if (!text(k))
        return skip(k);
    return whole(k, low, high);
}

std::optional<QString> KeyReader::requiredNumberText(const Key& k, qsizetype maxLength) {
    const std::optional<QString> t = text(k);
    if (!t || t->size() > maxLength || !platform::isNumeric(*t))
        return skip(k);
    return t;
}

std::optional<QString> KeyReader::numberBoxText(const Key& k) {
    const std::optional<QString> t = text(k);
    if (!t)
        return QString();
    if (!platform::isNumeric(*t))
        return skip(k);
    return t;
}

std::nullopt_t KeyReader::skip(const Key& k) {
    skipped_ << QStringLiteral("[%1] %2").arg(k.sectionName(), k.keyName());
    return std::nullopt;
}

std::optional<platform::ProfileDocument> loadSettingsFile(ProgramContext& app,
                                                          const QString& path) {
    // The user named this file: one that is not there is reported, not read as empty.
    platform::ProfileLoad loaded =
        platform::loadProfileDocument(path, platform::MissingFile::IsAnError);
    if (loaded.error) {
        reportFileError(app, QStringLiteral("The settings file %1 could not be read: %2"),
                        *loaded.error);
        return std::nullopt;
    }
    return std::move(loaded.document);
}

void reportSkipped(ProgramContext& app, const QString& path, const QStringList& skipped) {
    if (skipped.isEmpty())
        return;
    app.messages().message(
        QStringLiteral("These settings in %1 could not be used and were left as they were: %2")
            .arg(fileName(path), skipped.join(QStringLiteral(", "))),
        platform::MsgIcon::Exclamation);
}

std::optional<QString> roundedText(double v, int places, double low, double high, int maxLength) {
    const double rounded = platform::roundDecimals(v, places);
    const QString text = platform::numberText(rounded);
    if (rounded < low || rounded > high || text.size() > maxLength)
        return std::nullopt;
    return text;
}

} // namespace evalkit
