#include "evalkit/calc/settingskeys.h"

#include "platform/core/numbers.h"

namespace evalkit::calc {

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

std::optional<QString> versionRefusal(KeyReader& r) {
    if (r.integer(filekeys::Version) == 1)
        return std::nullopt;
    QString text = QStringLiteral(
        "Error: Import file incompatible with this version of software. You should check the "
        "Verrix website for updates");
    // A file that holds no settings at all is no newer version: say what was found.
    const platform::ProfileDocument& document = r.document();
    if (!document.holdsKeys())
        text += QStringLiteral("\n") + (document.serialize().isEmpty()
                                            ? QStringLiteral("The file is empty.")
                                            : QStringLiteral("The file holds no settings."));
    return text;
}

void writeFileSection(const KeyWriter& write, const QString& path) {
    write(filekeys::Version, QStringLiteral("1"));
    write(filekeys::Path, path);
}

std::optional<QString> roundedText(double v, int places, double low, double high, int maxLength) {
    const double rounded = platform::roundDecimals(v, places);
    const QString text = platform::numberText(rounded);
    if (rounded < low || rounded > high || text.size() > maxLength)
        return std::nullopt;
    return text;
}

} // namespace evalkit::calc
