#include "platform/core/profile.h"

#include "platform/core/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <utility>

namespace platform {

namespace {

constexpr QByteArrayView byteOrderMark("\xEF\xBB\xBF");

// Names match without regard to ASCII case only, as QByteArray::toLower folds them.
char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

QByteArrayView sectionNameOf(QByteArrayView trimmedHeader) {
    QByteArrayView name = trimmedHeader.sliced(1);
    const qsizetype close = name.indexOf(']');
    if (close >= 0)
        name.truncate(close);
    return name.trimmed();
}

QByteArrayView keySpellingOf(QByteArrayView text) {
    return text.first(text.indexOf('=')).trimmed();
}

QByteArrayView valueOf(QByteArrayView text) {
    QByteArrayView value = text.sliced(text.indexOf('=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value;
}

bool hasLineBreak(const QByteArray& text) {
    return text.contains('\r') || text.contains('\n');
}

QString absoluteName(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

ProfileError errorFor(const QString& path, const QString& reason) {
    return ProfileError{absoluteName(path), reason};
}

using Loaded = ProfileLoad;

// A missing file reads as an empty one unless the caller needs the file; a file that is there
// but cannot be read is an error.
Loaded load(const QString& path, MissingFile missing = MissingFile::ReadsAsEmpty) {
    // Before the file is opened: a device would be read for ever, a pipe waits for a writer.
    if (std::optional<QString> why = notARegularFile(path))
        return {{}, errorFor(path, *why)};
    if (!QFileInfo::exists(path) && missing == MissingFile::ReadsAsEmpty)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, errorFor(path, file.errorString())};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, errorFor(path, file.errorString())};
    return {ProfileDocument::parse(bytes), std::nullopt};
}

std::optional<ProfileError> save(const QString& path, const ProfileDocument& document,
                                 SaveDeviceFactory& devices) {
    if (std::optional<QString> reason = saveWholeFile(path, document.serialize(), devices))
        return errorFor(path, *reason);
    return std::nullopt;
}

QString cut(const QString& text, int bufferSize) {
    // The buffer also holds the terminating NUL.
    return bufferSize <= 1 ? QString() : text.left(bufferSize - 1);
}

} // namespace

ProfileNumber profileNumber(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    constexpr int64_t beyond = int64_t{std::numeric_limits<int32_t>::max()} + 2;
    int64_t magnitude = 0;
    qsizetype digits = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i, ++digits) {
        if (magnitude < beyond)
            magnitude = magnitude * 10 + (text[i].unicode() - u'0');
    }
    if (digits == 0)
        return {};
    const int64_t signedValue = negative ? -magnitude : magnitude;
    constexpr int64_t lowest = std::numeric_limits<int32_t>::min();
    constexpr int64_t highest = std::numeric_limits<int32_t>::max();
    if (signedValue < lowest)
        return {std::numeric_limits<int32_t>::min(), false};
    if (signedValue > highest)
        return {std::numeric_limits<int32_t>::max(), false};
    return {static_cast<int32_t>(signedValue), true};
}

bool ProfileDocument::Name::matches(const Name& other) const noexcept {
    if (section != other.section || text.size() != other.text.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (foldAscii(text[i]) != foldAscii(other.text[i]))
            return false;
    }
    return true;
}

size_t ProfileDocument::Name::hash(size_t seed) const noexcept {
    // FNV-1a over the folded bytes, then Qt's own mixing so that the low bits QHash uses
    // depend on every byte.
    uint64_t h = 0xcbf29ce484222325 ^ static_cast<uint64_t>(section);
    for (const char c : text)
        h = (h ^ static_cast<uint8_t>(foldAscii(c))) * 0x100000001b3;
    return qHash(h, seed);
}

ProfileDocument ProfileDocument::parse(const QByteArray& bytes) {
    ProfileDocument document;
    document.source_ = bytes; // shared, not copied: lines view it
    const QByteArrayView all(document.source_);
    qsizetype at = 0;
    if (all.startsWith(byteOrderMark)) {
        document.byteOrderMark_ = true;
        at = byteOrderMark.size();
    }
    // Every line is a key at most: with room for them all, neither the lines nor the index
    // ever move while the file is read.
    const auto lineCount =
        static_cast<qsizetype>(std::count(all.begin() + at, all.end(), '\n')) + 1;
    document.lines_.reserve(static_cast<std::size_t>(lineCount));
    document.keys_.reserve(lineCount);
    int current = -1; // the section being read; -1 before the first and in repeated ones
    while (at < all.size()) {
        Line line;
        line.start = at;
        const qsizetype newLine = all.indexOf('\n', at);
        if (newLine < 0) {
            line.length = all.size() - at;
            at = all.size();
        } else {
            line.length = newLine - at;
            line.end = LineEnd::Lf;
            if (line.length > 0 && all[newLine - 1] == '\r') {
                --line.length;
                line.end = LineEnd::CrLf;
            }
            at = newLine + 1;
        }
        document.indexLine(document.appendLine(line), current);
    }
    return document;
}

void ProfileDocument::indexLine(int id, int& current) {
    const QByteArrayView trimmed = text(lines_[static_cast<std::size_t>(id)]).trimmed();
    if (trimmed.startsWith('[')) {
        const Name name{-1, sectionNameOf(trimmed)};
        current = -1;
        if (!sectionIndex_.contains(name)) {
            current = static_cast<int>(sections_.size());
            sections_.push_back(Section{id, id});
            sectionIndex_.insert(name, current);
        }
    } else if (current >= 0 && !trimmed.isEmpty()) {
        sections_[static_cast<std::size_t>(current)].lastContent = id;
        const qsizetype equals = trimmed.indexOf('=');
        if (!trimmed.startsWith(';') && equals >= 0) {
            // The first line of a key counts; one look-up finds or adds its slot.
            const qsizetype known = keys_.size();
            int& first = keys_[Name{current, trimmed.first(equals).trimmed()}];
            if (keys_.size() != known)
                first = id;
        }
    }
}

std::optional<QByteArrayView> ProfileDocument::lookup(QByteArrayView section,
                                                      QByteArrayView key) const {
    const auto found = sectionIndex_.constFind(Name{-1, section.trimmed()});
    if (found == sectionIndex_.constEnd())
        return std::nullopt;
    const auto line = keys_.constFind(Name{*found, key.trimmed()});
    if (line == keys_.constEnd())
        return std::nullopt;
    return valueOf(text(lines_[static_cast<std::size_t>(*line)]));
}

std::optional<QString> ProfileDocument::value(const QString& section, const QString& key) const {
    const std::optional<QByteArrayView> raw = lookup(section.toLatin1(), key.toLatin1());
    if (!raw)
        return std::nullopt;
    return QString::fromLatin1(*raw);
}

std::optional<QString> ProfileDocument::set(const QString& section, const QString& key,
                                            const QString& value) {
    const QByteArray sectionName = section.toLatin1().trimmed();
    const QByteArray keyName = key.toLatin1().trimmed();
    const QByteArray valueText = value.toLatin1();
    if (sectionName.contains(']') || hasLineBreak(sectionName))
        return QStringLiteral("The section name \"%1\" cannot be written to a profile file.")
            .arg(section);
    if (keyName.isEmpty() || keyName.contains('=') || keyName.startsWith(';') ||
        keyName.startsWith('[') || hasLineBreak(keyName))
        return QStringLiteral("The key name \"%1\" cannot be written to a profile file.").arg(key);
    if (hasLineBreak(valueText))
        return QStringLiteral("The value of key \"%1\" contains a line break.").arg(key);

    const auto found = sectionIndex_.constFind(Name{-1, sectionName});
    if (found != sectionIndex_.constEnd()) {
        const int s = *found;
        const auto existing = keys_.constFind(Name{s, keyName});
        if (existing != keys_.constEnd()) {
            Line& line = lines_[static_cast<std::size_t>(*existing)];
            QByteArray written = keySpellingOf(text(line)).toByteArray() + '=' + valueText;
            // Writing what is there already leaves the document as it was, so that saving
            // unchanged settings costs no rebuilding of the file.
            if (text(line) != written) {
                line.edit = newText(std::move(written));
                changed_ = true;
            }
            return std::nullopt;
        }
        Section& target = sections_[static_cast<std::size_t>(s)];
        endWithLineBreak(target.lastContent);
        Line line;
        line.edit = newText(keyName + '=' + valueText);
        line.end = LineEnd::CrLf;
        target.lastContent = insertLineAfter(target.lastContent, line);
        // The name views the new line's own text, which stays as it is.
        keys_.insert(Name{s, QByteArrayView(edits_.back()).first(keyName.size())},
                     target.lastContent);
        changed_ = true;
        return std::nullopt;
    }
    if (tail_ >= 0)
        endWithLineBreak(tail_);
    Line header;
    header.edit = newText('[' + sectionName + ']');
    header.end = LineEnd::CrLf;
    const QByteArrayView headerName = QByteArrayView(edits_.back()).sliced(1, sectionName.size());
    Line line;
    line.edit = newText(keyName + '=' + valueText);
    line.end = LineEnd::CrLf;
    const QByteArrayView lineKey = QByteArrayView(edits_.back()).first(keyName.size());
    const int s = static_cast<int>(sections_.size());
    const int headerId = appendLine(header);
    const int id = appendLine(line);
    sections_.push_back(Section{headerId, id});
    sectionIndex_.insert(Name{-1, headerName}, s);
    keys_.insert(Name{s, lineKey}, id);
    changed_ = true;
    return std::nullopt;
}

QByteArray ProfileDocument::serialize() const {
    if (!changed_)
        return source_;
    constexpr QByteArrayView endings[] = {"", "\n", "\r\n"};
    const auto ending = [&endings](LineEnd end) {
        return endings[static_cast<std::size_t>(end)];
    };
    qsizetype size = byteOrderMark_ ? byteOrderMark.size() : 0;
    for (const Line& line : lines_)
        size += text(line).size() + ending(line.end).size();
    QByteArray bytes;
    bytes.reserve(size);
    if (byteOrderMark_)
        bytes += byteOrderMark;
    for (int id = head_; id >= 0; id = lines_[static_cast<std::size_t>(id)].next) {
        const Line& line = lines_[static_cast<std::size_t>(id)];
        bytes += text(line);
        bytes += ending(line.end);
    }
    return bytes;
}

QByteArrayView ProfileDocument::text(const Line& line) const {
    if (line.edit >= 0)
        return edits_[static_cast<std::size_t>(line.edit)];
    return QByteArrayView(source_).sliced(line.start, line.length);
}

int ProfileDocument::newText(QByteArray text) {
    // A QByteArray keeps its bytes where they are when the vector moves it, so views of the
    // texts already here stay valid.
    edits_.push_back(std::move(text));
    return static_cast<int>(edits_.size() - 1);
}

int ProfileDocument::appendLine(Line line) {
    const int id = static_cast<int>(lines_.size());
    line.next = -1;
    lines_.push_back(line);
    if (tail_ >= 0)
        lines_[static_cast<std::size_t>(tail_)].next = id;
    else
        head_ = id;
    tail_ = id;
    return id;
}

int ProfileDocument::insertLineAfter(int after, Line line) {
    const int id = static_cast<int>(lines_.size());
    line.next = lines_[static_cast<std::size_t>(after)].next;
    lines_.push_back(line);
    lines_[static_cast<std::size_t>(after)].next = id;
    if (tail_ == after)
        tail_ = id;
    return id;
}

void ProfileDocument::endWithLineBreak(int id) {
    // Only the file's last line can lack a line ending.
    Line& line = lines_[static_cast<std::size_t>(id)];
    if (line.end == LineEnd::None) {
        line.end = LineEnd::CrLf;
        changed_ = true;
    }
}

ProfileRead GetPrivateProfileString(const QString& section, const QString& key,
                                    const QString& defaultValue, int bufferSize,
                                    const QString& path) {
    ProfileRead read;
    read.value = cut(defaultValue, bufferSize);
    Loaded loaded = load(path);
    if (loaded.error) {
        read.error = std::move(loaded.error);
        return read;
    }
    if (const std::optional<QString> value = loaded.document.value(section, key)) {
        read.value = cut(*value, bufferSize);
        read.found = true;
    }
    return read;
}

ProfileInt GetPrivateProfileInt(const QString& section, const QString& key, int32_t defaultValue,
                                const QString& path) {
    ProfileInt read;
    read.value = defaultValue;
    Loaded loaded = load(path);
    if (loaded.error) {
        read.error = std::move(loaded.error);
        return read;
    }
    if (const std::optional<QString> value = loaded.document.value(section, key)) {
        const ProfileNumber number = profileNumber(*value);
        read.found = true;
        read.value = number.value;
        read.numeric = number.numeric;
    }
    return read;
}

std::optional<ProfileError> WritePrivateProfileString(const QString& section, const QString& key,
                                                      const QString& value, const QString& path,
                                                      SaveDeviceFactory& devices) {
    ProfileBatch batch(path, devices);
    batch.write(section, key, value);
    return batch.commit();
}

ProfileBatch::ProfileBatch(QString path, SaveDeviceFactory& devices)
    : path_(std::move(path)), devices_(&devices) {}

void ProfileBatch::write(const QString& section, const QString& key, const QString& value) {
    writes_.push_back(Write{section, key, value});
}

std::optional<ProfileError> ProfileBatch::commit() {
    if (writes_.empty())
        return std::nullopt;
    Loaded loaded = load(path_);
    if (loaded.error)
        return loaded.error;
    for (const Write& w : writes_) {
        if (const std::optional<QString> refusal = loaded.document.set(w.section, w.key, w.value))
            return errorFor(path_, *refusal);
    }
    if (std::optional<ProfileError> error = save(path_, loaded.document, *devices_))
        return error;
    writes_.clear();
    return std::nullopt;
}

ProfileLoad loadProfileDocument(const QString& path, MissingFile missing) {
    return load(path, missing);
}

} // namespace platform
