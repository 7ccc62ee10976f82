#pragma once
// The settings files' keys as the programs read them: a file read once, each key read as the
// platform's profile functions read it (a number key by its leading digits, 0 when it is
// missing; a text key as its text), a value that no control can take left out and named, one
// message at the end that names what was left out, and file errors shown with the file and
// the reason.
#include "platform/core/numbers.h"
#include "platform/core/profile.h"

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

// The list index the programs write for a list without a choice: read back, it leaves the list
// and its field as they are.
inline constexpr int NoChoice = -1;

// Reads keys and decides which values can be used, before anything changes. A value that is
// there but that no control can take is noted and left out.
class KeyReader {
public:
    explicit KeyReader(const platform::ProfileDocument& document) : document_(document) {}

    // The key's text; nullopt when the key is missing or empty (the empty text).
    std::optional<QString> text(const Key& k) const;

    // A number key as the profile functions read it: the leading digits of its text after an
    // optional sign ("1.5" reads 1, "12abc" 12), 0 when the key is missing or its text does not
    // begin with digits. The programs take it as a 16-bit integer: a number beyond that is
    // noted and gives nothing.
    std::optional<int> integer(const Key& k);

    // A list index from 0 to count - 1; NoChoice gives nothing without a note, any other
    // index outside the list is noted.
    std::optional<int> index(const Key& k, int count);

    // A number from `low` to `high` (a scroll bar's range, a field's codes); outside it the
    // value is noted.
    std::optional<int> inRange(const Key& k, int low, int high);

    // The position of the key's number in `table`; nothing, without a note, for another
    // number (the control keeps its setting, as the design has it).
    template <std::size_t N>
    std::optional<int> position(const Key& k, const std::array<int, N>& table);

    // A text that `use` turns into what the control takes; a text that is not a number and a
    // number `use` refuses are noted. A missing (or empty) text key gives nothing: the control
    // keeps its setting.
    template <class T>
    std::optional<T> number(const Key& k, const std::function<std::optional<T>(double)>& use);

    // A text that must read as a number, of at most `maxLength` characters; a missing key
    // gives nothing without a note.
    std::optional<QString> numberText(const Key& k, qsizetype maxLength);

    // The position of the key's text among `names` (matched exactly, case and all); nothing,
    // without a note, for a missing key or another text: the design then changes nothing.
    template <std::size_t N>
    std::optional<int> nameIndex(const Key& k, const std::array<const char16_t*, N>& names) const;

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

template <std::size_t N>
std::optional<int> evalkit::KeyReader::position(const Key& k, const std::array<int, N>& table) {
    const std::optional<int> v = integer(k);
    if (!v)
        return std::nullopt;
    for (std::size_t i = 0; i < N; ++i)
        if (table[i] == *v)
            return static_cast<int>(i);
    return std::nullopt;
}

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
std::optional<int>
evalkit::KeyReader::nameIndex(const Key& k, const std::array<const char16_t*, N>& names) const {
    const std::optional<QString> name = text(k);
    if (!name)
        return std::nullopt;
    for (std::size_t i = 0; i < N; ++i)
        if (*name == QString::fromUtf16(names[i]))
            return static_cast<int>(i);
    return std::nullopt;
}
