// Profile files (INI syntax: "[Section]" lines, then "key=value" lines) read and written
// with the semantics of the desktop platform's private-profile functions, which the
// programs' settings and configuration files rely on:
//   - section and key names match without regard to (ASCII) case; the first matching key
//     of the first matching section counts;
//   - a write replaces the key's line in place, keeping the key's spelling, appends a
//     missing key after the last non-blank line of its section, and appends a missing
//     section at the end of the file; every other line stays byte for byte;
//   - new lines end with CRLF; no byte-order mark is written, but a UTF-8 one that is
//     already there is kept;
//   - the files are 8-bit text, handled as Latin-1 so that no byte is altered; characters
//     of a written text that Latin-1 cannot hold are written as '?'.
// Unlike the original, a file is saved atomically (the old file stays whole when anything
// fails, a full disk included: see platform/savefile.h), a file without write permission for
// its owner is refused instead of being replaced, what is not a regular file (a folder, a
// device, a named pipe) is refused before it is opened, for reading as for writing, and every
// failure is returned to the caller.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include "platform/core/savefile.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

struct ProfileError {
    QString file;   // the file's absolute path
    QString reason; // human-readable cause
};

struct ProfileRead {
    QString value;
    bool found = false;
    std::optional<ProfileError> error;
};

// GetPrivateProfileString: the value trimmed of blanks, with one pair of surrounding double
// or single quotes removed, cut to bufferSize - 1 characters (a buffer of 8 gives at most 7).
// A missing file, section or key gives defaultValue (also cut) with found = false. A file
// that does not exist is not an error; one that exists but cannot be read is.
ProfileRead GetPrivateProfileString(const QString& section, const QString& key,
                                    const QString& defaultValue, int bufferSize,
                                    const QString& path);

struct ProfileInt {
    int32_t value = 0;
    bool found = false;   // the key exists
    bool numeric = false; // its value begins with digits (after an optional sign) and fits
    std::optional<ProfileError> error;
};

// A key's text as GetPrivateProfileInt reads it: an optional sign, then the leading decimal
// digits ("12abc" -> 12, "1.5" -> 1); a text that does not begin with digits reads as 0 with
// numeric = false, and a number beyond the int32 range is clamped to it with numeric = false.
struct ProfileNumber {
    int32_t value = 0;
    bool numeric = false;
};
ProfileNumber profileNumber(const QString& text);

// GetPrivateProfileInt: an optional sign, then the leading decimal digits ("12abc" -> 12).
// A value that does not begin with digits reads as 0 with numeric = false; a missing key
// gives defaultValue with found = false. A number beyond the int32 range is clamped to it
// and reported with numeric = false, so the caller can tell it from a real value.
ProfileInt GetPrivateProfileInt(const QString& section, const QString& key, int32_t defaultValue,
                                const QString& path);

// WritePrivateProfileString: writes "Key=value" as described above and saves the file
// atomically; creates a missing file. Section names containing ']', key names that are
// empty, contain '=' or begin with ';' or '[', and line breaks in any of the three texts
// would break the file's structure and are refused with an error.
std::optional<ProfileError>
WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                          const QString& path, SaveDeviceFactory& devices = defaultSaveDevices());

// A profile file held in memory as its lines, each with its own line ending, indexed by
// section and key so that lookups and writes do not scan the file. Both the one-shot
// functions and ProfileBatch edit files through it.
//
// The file's bytes are kept whole and every line is a view into them, so reading a file
// costs no allocation per line; only the lines a write changes or adds get texts of their
// own. No text is ever changed or freed while the document lives (a rewritten line gets a
// new text), which is what lets the index hold views of the names.
class ProfileDocument {
public:
    ProfileDocument() = default;
    static ProfileDocument parse(const QByteArray& bytes);

    // The value as GetPrivateProfileString reads it (trimmed, quotes removed, not cut);
    // nullopt when the section or key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Writes the key; returns why the write is refused, or nullopt when it was made.
    std::optional<QString> set(const QString& section, const QString& key, const QString& value);

    // Whether any section holds a key: an empty file, or one of text or bytes without a
    // "key=value" line in a section, holds none.
    bool holdsKeys() const { return !keys_.empty(); }

    QByteArray serialize() const;

private:
    enum class LineEnd : uint8_t { None, Lf, CrLf }; // None: a last line without a break
    struct Line {
        qsizetype start = 0;  // offset of the text in source_ ...
        qsizetype length = 0; // ... and its length without the line ending
        int edit = -1;        // index in edits_ of the text that replaced it, or -1
        int next = -1;        // id of the following line, -1 for the last
        LineEnd end = LineEnd::None;
    };
    struct Section {
        int header = -1;      // line id of "[...]"
        int lastContent = -1; // line id of the last non-blank line (the header if none)
    };
    // A section name, or a key name with its section, as the file spells it; two names are
    // the same when they differ only in ASCII case.
    struct Name {
        int section = -1; // the key's section; -1 for a section name
        QByteArrayView text;
        bool matches(const Name& other) const noexcept;
        size_t hash(size_t seed) const noexcept;
        friend bool operator==(const Name& a, const Name& b) noexcept { return a.matches(b); }
        friend size_t qHash(const Name& name, size_t seed) noexcept { return name.hash(seed); }
    };

    QByteArrayView text(const Line& line) const;
    int appendLine(Line line);
    int insertLineAfter(int id, Line line);
    int newText(QByteArray text);
    void indexLine(int id, int& current);
    void endWithLineBreak(int id);
    std::optional<QByteArrayView> lookup(QByteArrayView section, QByteArrayView key) const;

    QByteArray source_;             // the bytes parsed, byte-order mark included
    std::vector<QByteArray> edits_; // texts of the lines written, never changed once here
    // Lines are kept in a linked list of stable ids so an insertion never moves the
    // others and the index never needs renumbering.
    std::vector<Line> lines_;
    int head_ = -1;
    int tail_ = -1;
    bool byteOrderMark_ = false;
    bool changed_ = false; // false while serialize() would give source_ back unchanged
    std::vector<Section> sections_;
    QHash<Name, int> sectionIndex_; // section name -> its first section
    QHash<Name, int> keys_;         // key name in its section -> line id of its first line
};

// Reads a whole file once, for callers that look up many keys: a missing file
// reads as an empty one (as the profile functions read it) unless the caller asks for the
// file to be there, as opening a file the user named does; a file that is there but cannot
// be read is an error.
struct ProfileLoad {
    ProfileDocument document;
    std::optional<ProfileError> error;
};
enum class MissingFile { ReadsAsEmpty, IsAnError };
ProfileLoad loadProfileDocument(const QString& path,
                                MissingFile missing = MissingFile::ReadsAsEmpty);

// A group of writes to one file, applied in one read and one atomic save, with the same
// result as the same writes made one by one. If any write would be refused, nothing is
// saved. The pending writes are dropped after a successful commit and kept after a failed
// one, so a commit can be retried.
class ProfileBatch {
public:
    explicit ProfileBatch(QString path, SaveDeviceFactory& devices = defaultSaveDevices());
    void write(const QString& section, const QString& key, const QString& value);
    std::optional<ProfileError> commit();

private:
    struct Write {
        QString section;
        QString key;
        QString value;
    };
    QString path_;
    SaveDeviceFactory* devices_;
    std::vector<Write> writes_;
};

} // namespace platform
