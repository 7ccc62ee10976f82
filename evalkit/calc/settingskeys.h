#pragma once
// The settings files' keys as the programs read and write them: a file read once, each key read
// as the platform's profile functions read it (a number key by its leading digits, 0 when it is
// missing; a text key as its text), a value that no control can take left out and named, and
// the [File] section every program's file begins with.
#include "platform/core/numbers.h"
#include "platform/core/profile.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace evalkit::calc {

struct Key {
    const char16_t* section;
    const char16_t* key;
    QString sectionName() const { return QString::fromUtf16(section); }
    QString keyName() const { return QString::fromUtf16(key); }
};

// The keys the makers' settings files share, named alike in every program's file (a program's
// own keys stand beside these in its settings plan).
namespace keys {
inline constexpr Key Chip{u"Phy", u"Chip"};
inline constexpr Key Modulation{u"Phy", u"Modulation"};
inline constexpr Key BaudRate{u"Phy", u"BaudRate"};
inline constexpr Key Deviation{u"Phy", u"Deviation_kHz"};
inline constexpr Key IndexCounter{u"Phy", u"INDEX_COUNTER"};
inline constexpr Key DividerFactor{u"Phy", u"DIVIDER_FACTOR"};
inline constexpr Key ModControl{u"Phy", u"GFSK_MOD_CONTROL"};
inline constexpr Key Frequency{u"Tx", u"Frequency"};
inline constexpr Key Int{u"Tx", u"INT"};
inline constexpr Key Frac{u"Tx", u"FRAC"};
inline constexpr Key PALevel{u"Tx", u"PALevel"};
inline constexpr Key PALevelLow{u"Tx", u"PALevelLow"};
inline constexpr Key IfBandwidth{u"Rx", u"IF_BW"};
inline constexpr Key MixerLinearity{u"Rx", u"MIXER_LINEARITY"};
inline constexpr Key LnaMode{u"Rx", u"LNA_MODE"};
inline constexpr Key CrystalFreq{u"PLL", u"CrystalFreq"};
inline constexpr Key IcpIndex{u"PLL", u"IcpIndex"};
inline constexpr Key RefDivider{u"PLL", u"RefDivider"};
inline constexpr Key VcoBand{u"VCO", u"VCOBand"};
inline constexpr Key VcoDivider{u"VCO", u"VCODivider"};
inline constexpr Key Lext{u"VCO", u"Lext"};
inline constexpr Key VcoBias{u"VCO", u"VCOBias"};
inline constexpr Key SyncDetect{u"Sync", u"SyncDetect"};
inline constexpr Key SyncWord{u"Sync", u"SyncWord"};
inline constexpr Key WordLength{u"Sync", u"Wordlength"};
inline constexpr Key NumErrors{u"Sync", u"NumErrors"};
} // namespace keys

// Writes one key of the settings file.
using KeyWriter = std::function<void(const Key&, const QString&)>;

// Reads keys and decides which values can be used, before anything changes, and notes every
// value that is not taken as it stands, for the import's one summary: a value that no control
// can take is left out ("could not be used"); one the design reads otherwise than it is
// written ("12abc" as 12, "1e308" as 1, a divider of 200 as 127) is taken as read; a number key
// the file lacks is read as 0, as the profile functions read it.
class KeyReader {
public:
    explicit KeyReader(const platform::ProfileDocument& document) : document_(document) {}

    const platform::ProfileDocument& document() const { return document_; }

    // The key's text; nullopt when the key is missing or empty (the empty text).
    std::optional<QString> text(const Key& k) const;

    // A number key as the profile functions read it: the leading digits of its text after an
    // optional sign ("1.5" reads 1, "12abc" 12, "abc" 0: each noted as read so), 0 when the key
    // is missing or empty (noted as missing). The programs take it as a 16-bit integer: a
    // number beyond that is noted and gives nothing.
    std::optional<int> integer(const Key& k);

    // A list index from 0 to count - 1; any other index (-1, a list without a choice, among
    // them) is noted and gives nothing.
    std::optional<int> index(const Key& k, int count);

    // A number from `low` to `high` (a scroll bar's range, a field's codes); outside it the
    // value is noted.
    std::optional<int> inRange(const Key& k, int low, int high);

    // The position of the key's number in `table`; another number is noted and gives nothing
    // (the control keeps its setting, as the design has it).
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

    // The position of the key's text among `names` (matched exactly, case and all); another
    // text is noted and gives nothing: the design then changes nothing. A missing key gives
    // nothing without a note.
    template <std::size_t N>
    std::optional<int> nameIndex(const Key& k, const std::array<const char16_t*, N>& names);

    // Notes the key as left out.
    std::nullopt_t skip(const Key& k);
    // Notes that the key's text is taken as `value` (the last note of a key counts).
    void readAs(const Key& k, const QString& value);

    // "[Section] Key" of each key left out, in the order noted.
    const QStringList& skipped() const { return skipped_; }
    // "[Section] Key=text as value" of each key taken otherwise than written ("[Section] Key
    // (missing) as value" for a missing one not taken as 0), and "[Section] Key" of each number
    // key read as 0 because it is missing; a key left out is in neither.
    QStringList readOtherwise() const;
    QStringList missing() const;

    // The import's summary of the file `file`: what could not be used, what was read otherwise
    // and what was missing, one sentence each; empty when every value was taken as it stands.
    QString summary(const QString& file) const;

private:
    struct Reading {
        QString key; // "[Section] Key"
        QString text;
        QString value;
    };
    bool isSkipped(const QString& key) const { return skipped_.contains(key); }

    const platform::ProfileDocument& document_;
    QStringList skipped_;
    std::vector<Reading> readAs_;
    QStringList missing_;
};

// The [File] section.
namespace filekeys {
inline constexpr Key Version{u"File", u"Version"};
inline constexpr Key Path{u"File", u"path"};
} // namespace filekeys

// The message for a file that is not of this version, or nothing when it is version 1 (read
// as every number key is: "1.5" is version 1).
std::optional<QString> versionRefusal(KeyReader& r);

// The [File] section as a save begins it: the version, then the file's own path.
void writeFileSection(const KeyWriter& write, const QString& path);

// A text rounded to `places` and written in the plain form, when it lies from `low` to `high`
// and fits a box of `maxLength` characters.
std::optional<QString> roundedText(double v, int places, double low, double high, int maxLength);

} // namespace evalkit::calc

template <std::size_t N>
std::optional<int> evalkit::calc::KeyReader::position(const Key& k,
                                                      const std::array<int, N>& table) {
    const std::optional<int> v = integer(k);
    if (!v)
        return std::nullopt;
    for (std::size_t i = 0; i < N; ++i)
        if (table[i] == *v)
            return static_cast<int>(i);
    return skip(k);
}

template <class T>
std::optional<T>
evalkit::calc::KeyReader::number(const Key& k, const std::function<std::optional<T>(double)>& use) {
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
evalkit::calc::KeyReader::nameIndex(const Key& k, const std::array<const char16_t*, N>& names) {
    const std::optional<QString> name = text(k);
    if (!name)
        return std::nullopt;
    for (std::size_t i = 0; i < N; ++i)
        if (*name == QString::fromUtf16(names[i]))
            return static_cast<int>(i);
    return skip(k);
}
