// The profile-file reader and writer on arbitrary files: a file reads back byte for byte, a
// write changes only the line it writes (or adds the lines it must), a refused write changes
// nothing, and the file functions agree with the in-memory document.
//
// Input: the file's bytes, then optionally a NUL and the writes to make (each a choice of
// section and key, then the value), so a plain settings file is a seed as it is.
#include "fuzz/fuzzcheck.h"

#include "platform/core/profile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <fuzzer/FuzzedDataProvider.h>

#include <memory>
#include <optional>
#include <vector>

namespace {

struct Line {
    QByteArray text;
    QByteArray eol;
    bool operator==(const Line&) const = default;
};

struct File {
    bool byteOrderMark = false;
    std::vector<Line> lines;
};

File split(QByteArray bytes) {
    File file;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        file.byteOrderMark = true;
        bytes.remove(0, 3);
    }
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype newLine = bytes.indexOf('\n', at);
        Line line;
        if (newLine < 0) {
            line.text = bytes.mid(at);
            at = bytes.size();
        } else {
            line.text = bytes.mid(at, newLine - at);
            line.eol = "\n";
            if (line.text.endsWith('\r')) {
                line.text.chop(1);
                line.eol = "\r\n";
            }
            at = newLine + 1;
        }
        file.lines.push_back(line);
    }
    return file;
}

QByteArray fold(const QByteArray& name) {
    return name.trimmed().toLower();
}

// A line the write may have produced: "key=value" for its key, or the header of its section.
bool isWrittenLine(const QByteArray& text, const QByteArray& section, const QByteArray& key,
                   const QByteArray& value) {
    if (text == '[' + section.trimmed() + ']')
        return true;
    const qsizetype equals = text.indexOf('=');
    return equals >= 0 && fold(text.left(equals)) == fold(key) && text.mid(equals + 1) == value;
}

// Everything but the written lines stays as it was: the old file and the new one share a head
// and a tail, and what lies between is at most the one replaced key line in the old file and
// only written lines in the new one (the old last line may have gained its line break).
void checkOnlyWrittenLinesChanged(const QByteArray& before, const QByteArray& after,
                                  const QByteArray& section, const QByteArray& key,
                                  const QByteArray& value) {
    const File a = split(before);
    const File b = split(after);
    FUZZ_CHECK(a.byteOrderMark == b.byteOrderMark);
    const size_t na = a.lines.size();
    const size_t nb = b.lines.size();
    size_t head = 0;
    while (head < na && head < nb && a.lines[head] == b.lines[head])
        ++head;
    size_t tail = 0;
    while (tail < na - head && tail < nb - head && a.lines[na - 1 - tail] == b.lines[nb - 1 - tail])
        ++tail;
    const size_t oldCount = na - head - tail;
    const size_t newFirst = head;
    const size_t newCount = nb - head - tail;
    FUZZ_CHECK(oldCount <= 1);
    FUZZ_CHECK(newCount <= 3);
    size_t written = newFirst;
    if (oldCount == 1) {
        const Line& old = a.lines[head];
        FUZZ_CHECK(newCount >= 1);
        const Line& now = b.lines[newFirst];
        if (old.text == now.text) {
            // The old last line, given a line break so that a line can follow it.
            FUZZ_CHECK(old.eol.isEmpty() && now.eol == "\r\n" && head == na - 1);
        } else {
            // The key's line, rewritten with its own spelling and line ending.
            FUZZ_CHECK(newCount == 1 && now.eol == old.eol);
            const qsizetype equals = old.text.indexOf('=');
            FUZZ_CHECK(equals >= 0 && fold(old.text.left(equals)) == fold(key));
            FUZZ_CHECK(now.text == old.text.left(equals).trimmed() + '=' + value);
        }
        ++written;
    }
    for (; written < newFirst + newCount; ++written) {
        FUZZ_CHECK(isWrittenLine(b.lines[written].text, section, key, value));
        FUZZ_CHECK(b.lines[written].eol == "\r\n");
    }
}

// The value as a read gives it back: trimmed, one pair of matching quotes removed.
QByteArray readBack(const QByteArray& written) {
    QByteArray v = written.trimmed();
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

struct Write {
    QByteArray section;
    QByteArray key;
    QByteArray value;
};

// Sections and keys the file already has, so most writes replace a line in place.
struct Names {
    std::vector<QByteArray> sections;
    std::vector<std::pair<QByteArray, QByteArray>> keys;
};

Names namesIn(const File& file) {
    Names names;
    QByteArray current;
    for (const Line& line : file.lines) {
        const QByteArray t = line.text.trimmed();
        if (t.startsWith('[')) {
            current = t.mid(1, t.indexOf(']') < 0 ? -1 : t.indexOf(']') - 1);
            names.sections.push_back(current);
        } else if (t.contains('=') && !t.startsWith(';')) {
            names.keys.emplace_back(current, t.left(t.indexOf('=')));
        }
    }
    return names;
}

std::vector<Write> writesFrom(FuzzedDataProvider& fdp, const Names& names) {
    std::vector<Write> writes;
    const int count = fdp.remaining_bytes() == 0 ? 2 : fdp.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < count; ++i) {
        Write w;
        switch (fdp.remaining_bytes() == 0 ? i : fdp.ConsumeIntegralInRange(0, 3)) {
        case 0:
            if (!names.keys.empty()) {
                const auto& k =
                    names.keys[fdp.ConsumeIntegralInRange<size_t>(0, names.keys.size() - 1)];
                w.section = k.first;
                w.key = fdp.ConsumeBool() ? k.second.toUpper() : k.second;
                break;
            }
            [[fallthrough]];
        case 1:
            w.section = names.sections.empty() ? QByteArray("New")
                                               : names.sections[fdp.ConsumeIntegralInRange<size_t>(
                                                     0, names.sections.size() - 1)];
            w.key = QByteArray::fromStdString(fdp.ConsumeRandomLengthString(16));
            if (w.key.isEmpty())
                w.key = "NewKey";
            break;
        default:
            w.section = QByteArray::fromStdString(fdp.ConsumeRandomLengthString(16));
            w.key = QByteArray::fromStdString(fdp.ConsumeRandomLengthString(16));
            break;
        }
        w.value = fdp.remaining_bytes() == 0
                      ? QByteArray("written")
                      : QByteArray::fromStdString(fdp.ConsumeRandomLengthString(32));
        writes.push_back(w);
    }
    return writes;
}

QString latin1(const QByteArray& b) {
    return QString::fromLatin1(b);
}

std::unique_ptr<QTemporaryDir> folder;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    folder = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype nul = input.indexOf('\0');
    const QByteArray content = nul < 0 ? input : input.left(nul);
    const QByteArray commands = nul < 0 ? QByteArray() : input.mid(nul + 1);
    FuzzedDataProvider fdp(reinterpret_cast<const uint8_t*>(commands.constData()),
                           static_cast<size_t>(commands.size()));

    platform::ProfileDocument document = platform::ProfileDocument::parse(content);
    FUZZ_CHECK(document.serialize() == content);
    const std::vector<Write> writes = writesFrom(fdp, namesIn(split(content)));

    QByteArray current = content;
    for (const Write& w : writes) {
        const std::optional<QString> refused =
            document.set(latin1(w.section), latin1(w.key), latin1(w.value));
        const QByteArray next = document.serialize();
        if (refused) {
            FUZZ_CHECK(next == current);
            continue;
        }
        checkOnlyWrittenLinesChanged(current, next, w.section, w.key, w.value);
        // What was written reads back, from the document and from the file read afresh.
        const std::optional<QString> value = document.value(latin1(w.section), latin1(w.key));
        FUZZ_CHECK(value && value->toLatin1() == readBack(w.value));
        const platform::ProfileDocument reread = platform::ProfileDocument::parse(next);
        FUZZ_CHECK(reread.value(latin1(w.section), latin1(w.key)) == value);
        FUZZ_CHECK(reread.serialize() == next);
        current = next;
    }

    // The file functions make the same first write, and read what the document reads.
    const QString path = folder->filePath(QStringLiteral("fuzz.ini"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(content) == content.size());
    }
    const Write& first = writes.front();
    platform::ProfileDocument expected = platform::ProfileDocument::parse(content);
    const bool accepted =
        !expected.set(latin1(first.section), latin1(first.key), latin1(first.value));
    const std::optional<platform::ProfileError> error = platform::WritePrivateProfileString(
        latin1(first.section), latin1(first.key), latin1(first.value), path);
    FUZZ_CHECK(error.has_value() != accepted);
    QFile written(path);
    FUZZ_CHECK(written.open(QIODevice::ReadOnly));
    FUZZ_CHECK(written.readAll() == (accepted ? expected.serialize() : content));
    const platform::ProfileRead read = platform::GetPrivateProfileString(
        latin1(first.section), latin1(first.key), QStringLiteral("none"), 256, path);
    const std::optional<QString> inDocument =
        expected.value(latin1(first.section), latin1(first.key));
    FUZZ_CHECK(!read.error && read.found == inDocument.has_value());
    if (inDocument)
        FUZZ_CHECK(read.value == inDocument->left(255));
    const platform::ProfileInt number =
        platform::GetPrivateProfileInt(latin1(first.section), latin1(first.key), -7, path);
    FUZZ_CHECK(!number.error && number.found == inDocument.has_value());
    if (!number.found)
        FUZZ_CHECK(number.value == -7);
    return 0;
}
