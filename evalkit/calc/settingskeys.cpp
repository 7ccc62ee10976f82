#include "evalkit/calc/settingskeys.h"

#include "platform/core/numbers.h"

namespace evalkit::calc {

std::optional<QString> KeyReader::text(const Key& k) const {
    std::optional<QString> v = document_.value(k.sectionName(), k.keyName());
    if (v && v->isEmpty())
        return std::nullopt;
    return v;
}

namespace {

QString keyText(const Key& k) {
    return QStringLiteral("[%1] %2").arg(k.sectionName(), k.keyName());
}

// Whether a number key's text is the number read from it: "7", "+7" and "7.0" are 7; "7abc",
// "7.5" and "&H7" are not.
bool standsAs(const QString& text, int value) {
    return platform::textToNumber(text) == std::optional<double>(value);
}

// A text as the summary quotes it: a long one cut short.
QString quoted(const QString& text) {
    constexpr qsizetype Longest = 24;
    return text.size() <= Longest ? text : text.left(Longest) + QStringLiteral("...");
}

} // namespace

std::optional<int> KeyReader::integer(const Key& k) {
    const std::optional<QString> t = text(k);
    if (!t) {
        if (const QString key = keyText(k); !missing_.contains(key))
            missing_ << key;
        return 0;
    }
    const platform::ProfileNumber n = platform::profileNumber(*t);
    if (n.value < -32768 || n.value > 32767)
        return skip(k);
    if (!standsAs(*t, n.value))
        readAs(k, platform::numberText(n.value));
    return n.value;
}

std::optional<int> KeyReader::index(const Key& k, int count) {
    const std::optional<int> i = integer(k);
    if (i && (*i < 0 || *i >= count))
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
    if (const QString key = keyText(k); !skipped_.contains(key))
        skipped_ << key;
    return std::nullopt;
}

void KeyReader::readAs(const Key& k, const QString& value) {
    const QString key = keyText(k);
    // A missing key taken as something other than 0 is named with what it was taken as.
    missing_.removeAll(key);
    const QString written = text(k).value_or(QString());
    for (Reading& r : readAs_) {
        if (r.key == key) {
            r.value = value;
            return;
        }
    }
    readAs_.push_back({key, written, value});
}

QStringList KeyReader::readOtherwise() const {
    QStringList out;
    for (const Reading& r : readAs_) {
        if (isSkipped(r.key))
            continue;
        if (r.text.isEmpty())
            out << QStringLiteral("%1 (missing) as %2").arg(r.key, r.value);
        else
            out << QStringLiteral("%1=%2 as %3").arg(r.key, quoted(r.text), r.value);
    }
    return out;
}

QStringList KeyReader::missing() const {
    QStringList out;
    for (const QString& key : missing_) {
        if (!isSkipped(key))
            out << key;
    }
    return out;
}

QString KeyReader::summary(const QString& file) const {
    const QString list = QStringLiteral(", ");
    QStringList sentences;
    if (!skipped_.isEmpty())
        sentences << QStringLiteral("These settings in %1 could not be used and were left as "
                                    "they were: %2")
                         .arg(file, skipped_.join(list));
    if (const QStringList otherwise = readOtherwise(); !otherwise.isEmpty())
        sentences << QStringLiteral("These settings in %1 were not taken as they are written: %2")
                         .arg(file, otherwise.join(list));
    if (const QStringList absent = missing(); !absent.isEmpty())
        sentences << QStringLiteral("These settings are missing from %1 and were read as 0: %2")
                         .arg(file, absent.join(list));
    return sentences.join(QLatin1Char('\n'));
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
