#include "evalkit/profilekeys.h"

#include "evalkit/programcontext.h"
#include "platform/core/numbers.h"

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

std::optional<int> KeyReader::integer(const Key& k) {
    const std::optional<QString> t = text(k);
    if (!t)
        return 0;
    const platform::ProfileNumber n = platform::profileNumber(*t);
    if (n.value < -32768 || n.value > 32767)
        return skip(k);
    return n.value;
}

std::optional<int> KeyReader::index(const Key& k, int count) {
    const std::optional<int> i = integer(k);
    if (!i || *i == NoChoice)
        return std::nullopt;
    if (*i < 0 || *i >= count)
        return skip(k);
    return i;
}

std::optional<int> KeyReader::inRange(const Key& k, int low, int high) {
    const std::optional<int> v = integer(k);
    if (v && (*v < low || *v > high))
        return skip(k);
    return v;
}

std::optional<QString> KeyReader::numberText(const Key& k, qsizetype maxLength) {
    const std::optional<QString> t = text(k);
    if (!t)
        return std::nullopt;
    if (t->size() > maxLength || !platform::isNumeric(*t))
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
