#pragma once
// The settings files' keys as the programs read them: a file read once, each key checked
// before anything changes (a value that cannot be used is left out and named), one message at
// the end that names what was left out, and file errors shown with the file and the reason.
#include "platform/numbers.h"
#include "platform/profile.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace evalkit {

class ProgramContext;

struct Key {
    const char16_t* section;
    const char16_t* key;
    QString sectionName() const { return QString::fromUtf16(section); }
    QString keyName() const { return QString::fromUtf16(key); }
};

// The file's name as the user knows it: its absolute path in the platform's form.
QString fileName(const QString& path);

// Shows `what` with the file and the reason filled in (%1, %2).
void reportFileError(ProgramContext& app, const QString& what, const platform::ProfileError& error);

// Reads keys and decides which values can be used, before anything changes. A missing (or
// empty) key reads as the programs always read it: 0 for a number, the empty text for a text.
// A value that is there but cannot be used is noted and left out.
class KeyReader {
public:
    explicit KeyReader(const platform::ProfileDocument& document) : document_(document) {}

    // The key's text; nullopt when the key is missing or empty.
    std::optional<QString> text(const Key& k) const;

    // A whole number from `low` to `high`; a missing key reads as 0.
    std::optional<int> whole(const Key& k, int low, int high);

    // A number that `use` turns into what the control takes; a missing key gives nothing (the
    // control stays as it is).
    template <class T>
    std::optional<T> number(const Key& k, const std::function<std::optional<T>(double)>& use);

    // A text that must read as a number; a missing key gives the empty text, as the programs
    // put it into the box.
    std::optional<QString> numberBoxText(const Key& k);

    // A whole number from `low` to `high` of a key every file of the program holds: missing, it
    // is named as one that could not be used.
    std::optional<int> required(const Key& k, int low, int high);

    // The position of the key's whole number in `table`, for a key every file holds.
    template <std::size_t N>
    std::optional<int> requiredOneOf(const Key& k, const std::array<int, N>& table);

    // A text that must be there and read as a number, of at most `maxLength` characters.
    std::optional<QString> requiredNumberText(const Key& k, qsizetype maxLength);

    // The position of the key's text among `names` (matched exactly); a missing key gives
    // nothing, a text that is none of them is noted.
    template <std::size_t N>
    std::optional<int> nameIndex(const Key& k, const std::array<const char16_t*, N>& names);

    // Notes the key as left out.
    std::nullopt_t skip(const Key& k);
    const QStringList& skipped() const { return skipped_; }

private:
    const platform::ProfileDocument& document_;
    QStringList skipped_;
};

// Reads the whole settings file once (the other tools' files can carry many thousands of lines
// of their own). A file that is missing or cannot be read is reported and gives nullopt.
std::optional<platform::ProfileDocument> loadSettingsFile(ProgramContext& app, const QString& path);

// The import's closing message, when keys were left out.
void reportSkipped(ProgramContext& app, const QString& path, const QStringList& skipped);

// A text rounded to `places` and written in the plain form, when it lies from `low` to `high`
// and fits a box of `maxLength` characters.
std::optional<QString> roundedText(double v, int places, double low, double high, int maxLength);

} // namespace evalkit

template <class T>
std::optional<T> evalkit::KeyReader::number(const Key& k,
                                            const std::function<std::optional<T>(double)>& use) {
    const std::optional<QString> t = text(k);
    if (!t)
        return std::nullopt;
    const std::optional<double> v = platform::textToNumber(*t);
    std::optional<T> result = v ? use(*v) : std::nullopt;
    if (!result)
        skip(k);
    return result;
}

template <std::size_t N>
std::optional<int> evalkit::KeyReader::requiredOneOf(const Key& k,
                                                     const std::array<int, N>& table) {
    // Whole numbers are read as the 16-bit integers of the profile functions.
    const std::optional<int> v = required(k, -32768, 32767);
    if (!v)
        return std::nullopt;
    for (std::size_t i = 0; i < N; ++i)
        if (table[i] == *v)
            return static_cast<int>(i);
    return skip(k);
}

template <std::size_t N>
std::optional<int> evalkit::KeyReader::nameIndex(const Key& k,
                                                 const std::array<const char16_t*, N>& names) {
    const std::optional<QString> name = text(k);
    if (!name)
        return std::nullopt;
    for (std::size_t i = 0; i < N; ++i)
        if (*name == QString::fromUtf16(names[i]))
            return static_cast<int>(i);
    return skip(k);
}
