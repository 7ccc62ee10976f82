#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <limits>
#include <utility>

namespace platform {

namespace {

constexpr char byteOrderMark[] = "\xEF\xBB\xBF";
constexpr QByteArrayView newLineEnding("\r\n");

// Names match without regard to ASCII case (QByteArray::toLower only touches ASCII).
QByteArray fold(QByteArrayView name) {
    return name.toByteArray().trimmed().toLower();
}

QByteArray sectionNameOf(const QByteArray& trimmedHeader) {
    QByteArray name = trimmedHeader.mid(1);
    const qsizetype close = name.indexOf(']');
    if (close >= 0)
        name.truncate(close);
    return name.trimmed();
}

QByteArray keySpellingOf(const QByteArray& text) {
    return text.left(text.indexOf('=')).trimmed();
}

QByteArray valueOf(const QByteArray& text) {
    QByteArray value = text.mid(text.indexOf('=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
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

// A missing file reads as an empty one; a file that is there but cannot be read is an error.
Loaded load(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (info.isDir())
        return {{}, errorFor(path, QStringLiteral("It is a folder, not a file."))};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, errorFor(path, file.errorString())};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, errorFor(path, file.errorString())};
    return {ProfileDocument::parse(bytes), std::nullopt};
}

std::optional<ProfileError> save(const QString& path, const ProfileDocument& document) {
    // QSaveFile renames a new file over the old one, which would replace even a file the
    // user has marked read-only; respect the mark instead.
    const QFileInfo info(path);
    if (info.exists() && !info.isDir() &&
        (!info.isWritable() || !info.permissions().testFlag(QFileDevice::WriteOwner)))
        return errorFor(path, QStringLiteral("The file is read-only."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return errorFor(path, file.errorString());
    const QByteArray bytes = document.serialize();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return errorFor(path, reason);
    }
    if (!file.commit())
        return errorFor(path, file.errorString());
    return std::nullopt;
}

QString cut(const QString& text, int bufferSize) {
    // The buffer also holds the terminating NUL.
    return bufferSize <= 1 ? QString() : text.left(bufferSize - 1);
}

struct LeadingInt {
    int32_t value = 0;
    bool numeric = false;
};

LeadingInt leadingInt(const QString& text) {
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

} // namespace

ProfileDocument ProfileDocument::parse(const QByteArray& bytes) {
    ProfileDocument document;
    QByteArrayView rest(bytes);
    if (rest.startsWith(QByteArrayView(byteOrderMark))) {
        document.byteOrderMark_ = true;
        rest = rest.sliced(3);
    }
    int current = -1; // the section being read; -1 before the first and in repeated ones
    while (!rest.isEmpty()) {
        Line line;
        const qsizetype newLine = rest.indexOf('\n');
        if (newLine < 0) {
            line.text = rest.toByteArray();
            rest = {};
        } else {
            QByteArrayView body = rest.first(newLine);
            if (body.endsWith('\r')) {
                body.chop(1);
                line.eol = "\r\n";
            } else {
                line.eol = "\n";
            }
            line.text = body.toByteArray();
            rest = rest.sliced(newLine + 1);
        }
        const QByteArray trimmed = line.text.trimmed();
        const int id = document.appendLine(std::move(line));
        if (trimmed.startsWith('[')) {
            const QByteArray name = fold(sectionNameOf(trimmed));
            current = -1;
            if (!document.sectionIndex_.contains(name)) {
                current = static_cast<int>(document.sections_.size());
                document.sections_.push_back(Section{id, id, {}});
                document.sectionIndex_.insert(name, current);
            }
        } else if (current >= 0 && !trimmed.isEmpty()) {
            Section& section = document.sections_[static_cast<std::size_t>(current)];
            section.lastContent = id;
            const qsizetype equals = trimmed.indexOf('=');
            if (!trimmed.startsWith(';') && equals >= 0) {
                const QByteArray key = fold(trimmed.left(equals));
                if (!section.keys.contains(key))
                    section.keys.insert(key, id);
            }
        }
    }
    return document;
}

std::optional<QByteArray> ProfileDocument::lookup(QByteArrayView section,
                                                  QByteArrayView key) const {
    const auto found = sectionIndex_.constFind(fold(section));
    if (found == sectionIndex_.constEnd())
        return std::nullopt;
    const Section& s = sections_[static_cast<std::size_t>(*found)];
    const auto line = s.keys.constFind(fold(key));
    if (line == s.keys.constEnd())
        return std::nullopt;
    return valueOf(lines_[static_cast<std::size_t>(*line)].text);
}

std::optional<QString> ProfileDocument::value(const QString& section, const QString& key) const {
    const std::optional<QByteArray> raw = lookup(section.toLatin1(), key.toLatin1());
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

    const QByteArray foldedSection = fold(sectionName);
    const QByteArray foldedKey = fold(keyName);
    const auto found = sectionIndex_.constFind(foldedSection);
    if (found != sectionIndex_.constEnd()) {
        Section& s = sections_[static_cast<std::size_t>(*found)];
        const auto line = s.keys.constFind(foldedKey);
        if (line != s.keys.constEnd()) {
            QByteArray& text = lines_[static_cast<std::size_t>(*line)].text;
            text = keySpellingOf(text) + '=' + valueText;
            return std::nullopt;
        }
        endWithLineBreak(s.lastContent);
        const int id = insertLineAfter(
            s.lastContent, Line{keyName + '=' + valueText, newLineEnding.toByteArray()});
        s.lastContent = id;
        s.keys.insert(foldedKey, id);
        return std::nullopt;
    }
    if (tail_ >= 0)
        endWithLineBreak(tail_);
    const int header = appendLine(Line{'[' + sectionName + ']', newLineEnding.toByteArray()});
    const int id = appendLine(Line{keyName + '=' + valueText, newLineEnding.toByteArray()});
    Section s{header, id, {}};
    s.keys.insert(foldedKey, id);
    sectionIndex_.insert(foldedSection, static_cast<int>(sections_.size()));
    sections_.push_back(std::move(s));
    return std::nullopt;
}

QByteArray ProfileDocument::serialize() const {
    qsizetype size = byteOrderMark_ ? 3 : 0;
    for (const Line& line : lines_)
        size += line.text.size() + line.eol.size();
    QByteArray bytes;
    bytes.reserve(size);
    if (byteOrderMark_)
        bytes += byteOrderMark;
    for (int id = head_; id >= 0; id = next_[static_cast<std::size_t>(id)]) {
        const Line& line = lines_[static_cast<std::size_t>(id)];
        bytes += line.text;
        bytes += line.eol;
    }
    return bytes;
}

int ProfileDocument::appendLine(Line line) {
    const int id = static_cast<int>(lines_.size());
    lines_.push_back(std::move(line));
    next_.push_back(-1);
    if (tail_ >= 0)
        next_[static_cast<std::size_t>(tail_)] = id;
    else
        head_ = id;
    tail_ = id;
    return id;
}

int ProfileDocument::insertLineAfter(int after, Line line) {
    const int id = static_cast<int>(lines_.size());
    lines_.push_back(std::move(line));
    next_.push_back(next_[static_cast<std::size_t>(after)]);
    next_[static_cast<std::size_t>(after)] = id;
    if (tail_ == after)
        tail_ = id;
    return id;
}

void ProfileDocument::endWithLineBreak(int id) {
    // Only the file's last line can lack a line ending.
    Line& line = lines_[static_cast<std::size_t>(id)];
    if (line.eol.isEmpty())
        line.eol = newLineEnding.toByteArray();
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
        const LeadingInt number = leadingInt(*value);
        read.found = true;
        read.value = number.value;
        read.numeric = number.numeric;
    }
    return read;
}

std::optional<ProfileError> WritePrivateProfileString(const QString& section, const QString& key,
                                                      const QString& value, const QString& path) {
    ProfileBatch batch(path);
    batch.write(section, key, value);
    return batch.commit();
}

ProfileBatch::ProfileBatch(QString path) : path_(std::move(path)) {}

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
    if (std::optional<ProfileError> error = save(path_, loaded.document))
        return error;
    writes_.clear();
    return std::nullopt;
}

ProfileLoad loadProfileDocument(const QString& path) {
    return load(path);
}

} // namespace platform
