#pragma once
// The pure plan of a settings import over an arbitrary file, without a window: whatever the file
// holds, every value the plan keeps is one its control takes, what it leaves out is named as
// "[Section] Key", and planning the same file again names the same keys and gives the same
// summary.
#include "fuzz/fuzzcheck.h"

#include "evalkit/calc/settingskeys.h"
#include "platform/core/numbers.h"
#include "platform/core/profile.h"

#include <QByteArray>
#include <QRegularExpression>

#include <optional>

namespace fuzzcheck {

inline platform::ProfileDocument settingsDocument(const uint8_t* data, size_t size) {
    return platform::ProfileDocument::parse(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
}

inline bool within(const std::optional<int>& v, int low, int high) {
    return !v || (*v >= low && *v <= high);
}

// A planned text the box takes as a number, of at most `maxLength` characters, from `low` to
// `high`.
inline bool numberWithin(const std::optional<QString>& text, qsizetype maxLength, double low,
                         double high) {
    if (!text)
        return true;
    const std::optional<double> v = platform::textToNumber(*text);
    return text->size() <= maxLength && v && *v >= low && *v <= high;
}

// A planned text that reads as a number, of at most `maxLength` characters.
inline bool numberText(const std::optional<QString>& text, qsizetype maxLength) {
    return !text || (text->size() <= maxLength && platform::isNumeric(*text));
}

inline void checkSkipped(const evalkit::calc::KeyReader& r) {
    static const QRegularExpression named(QStringLiteral("^\\[[A-Za-z_]+\\] [A-Za-z_]+$"));
    for (const QString& k : r.skipped())
        FUZZ_CHECK(named.match(k).hasMatch());
}

// Plans the file twice with `plan` (which checks what it planned): the same keys are named.
template <class Plan> void checkPlanTwice(const uint8_t* data, size_t size, Plan plan) {
    const platform::ProfileDocument document = settingsDocument(data, size);
    evalkit::calc::KeyReader first(document);
    plan(first);
    checkSkipped(first);
    evalkit::calc::KeyReader again(document);
    plan(again);
    FUZZ_CHECK(again.skipped() == first.skipped());
    FUZZ_CHECK(again.summary(QStringLiteral("f")) == first.summary(QStringLiteral("f")));
    // What is left out is named as left out only.
    for (const QString& k : first.missing())
        FUZZ_CHECK(!first.skipped().contains(k));
}

} // namespace fuzzcheck
