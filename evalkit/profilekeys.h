#pragma once
// The settings files' keys as the programs read them: a file read once, each key checked
// before anything changes (a value that cannot be used is left out and named), one message at
// the end that names what was left out, and file errors shown with the file and the reason.
#include "platform/numbers.h"
#include "platform/profile.h"

#include <QString>
#include <QStringList>
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
