#include "evalkit/settingsfile.h"

#include "evalkit/programcontext.h"
#include "platform/core/numbers.h"
#include "platform/core/profile.h"
#include "platform/entrymark.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace evalkit {

void exportSettings(ProgramContext& app, const QString& path,
                    const std::function<void(const KeyWriter&)>& write) {
    platform::ProfileBatch batch(path, app.saveDevices());
    write(
        [&batch](const Key& k, const QString& v) { batch.write(k.sectionName(), k.keyName(), v); });
    if (const std::optional<platform::ProfileError> error = batch.commit())
        reportFileError(app, QStringLiteral("The settings could not be saved to %1: %2"), *error);
}

std::optional<double> rateToExport(ProgramContext& app, const QString& path,
                                   const QString& rateText) {
    const std::optional<double> rate = platform::textToNumber(rateText);
    if (!rate || !std::isfinite(*rate * 1000)) {
        app.messages().message(
            QStringLiteral("The settings were not saved to %1: the data rate \"%2\" is not a "
                           "number.")
                .arg(fileName(path), rateText),
            platform::MsgIcon::Exclamation);
        return std::nullopt;
    }
    return rate;
}

void importSettings(ProgramContext& app, const QString& path,
                    const std::function<void(KeyReader&)>& import) {
    const std::optional<platform::ProfileDocument> document = loadSettingsFile(app, path);
    if (!document)
        return;
    KeyReader r(*document);
    // Read as every number key is: "1.5" is version 1.
    if (r.integer(Key{u"File", u"Version"}) != 1) {
        QString text = QStringLiteral(
            "Error: Import file incompatible with this version of software. You should check the "
            "Verrix website for updates");
        // A file that holds no settings at all is no newer version: say what was found.
        if (!document->holdsKeys())
            text += QStringLiteral("\n") + (document->serialize().isEmpty()
                                                ? QStringLiteral("The file is empty.")
                                                : QStringLiteral("The file holds no settings."));
        app.messages().message(text);
        return;
    }
    import(r);
    reportSkipped(app, path, r.skipped());
}

QString indexText(const QComboBox* list) {
    return platform::numberText(list->currentIndex());
}

QString valueText(const QScrollBar* bar) {
    return platform::numberText(bar->value());
}

QString indexInForce(const QComboBox* list, const std::optional<int>& inForce) {
    return platform::numberText(inForce.value_or(list->currentIndex()));
}

QString valueInForce(const QScrollBar* bar, const std::optional<int>& inForce) {
    return platform::numberText(inForce.value_or(bar->value()));
}

QString numberInForce(const QLineEdit* box, double inForce) {
    const QString text = platform::textInForce(box);
    if (platform::textToNumber(text) == inForce)
        return text;
    return platform::numberText(inForce);
}

QString frequencyInForce(const QLineEdit* box, double inForceMHz, double toleranceMHz,
                         const QString& inForceText) {
    const std::optional<double> v = platform::textToNumber(box->text());
    if (v && std::abs(*v - inForceMHz) <= toleranceMHz)
        return box->text();
    return inForceText;
}

namespace {

// Two frequencies the calculation keeps in single precision are the same when they are the
// same single.
bool sameFrequency(double a, double b) {
    return platform::toSingle(a) == platform::toSingle(b) ||
           std::abs(a - b) <= 1e-6 * std::max(std::abs(a), std::abs(b));
}

} // namespace

SynthesizerValues synthesizerEntries(const SynthEntryBoxes& boxes) {
    const auto number = [](const QLineEdit* box) {
        return platform::textToNumber(box->text()).value_or(0);
    };
    return {number(boxes.rf), number(boxes.pfd), number(boxes.crystal)};
}

void checkSynthesizerImport(KeyReader& r, const SynthesizerImport& import,
                            const SynthEntryBoxes& boxes, const SynthesizerValues& given,
                            const SynthesizerValues& kept, double rfToleranceMHz) {
    const bool crystalTaken = sameFrequency(given.crystalMHz, kept.crystalMHz);
    const bool pfdTaken = sameFrequency(given.pfdMHz, kept.pfdMHz);
    const bool rfTaken = std::abs(given.rfMHz - kept.rfMHz) <= rfToleranceMHz;
    if (crystalTaken && pfdTaken && rfTaken)
        return;
    if (!crystalTaken || (!pfdTaken && !import.refDividerGiven))
        r.skip(import.crystal);
    if (!pfdTaken && crystalTaken && import.refDividerGiven)
        r.skip(import.refDivider);
    if (!rfTaken)
        r.skip(import.frequency);
    // The calculation changed nothing: the boxes show what it kept.
    boxes.rf->setText(import.rfBefore);
    boxes.pfd->setText(import.pfdBefore);
    boxes.crystal->setText(import.crystalBefore);
}

void setIndex(QComboBox* list, const std::optional<int>& index, const std::function<void()>& run) {
    if (!index)
        return;
    if (run && list->currentIndex() == *index)
        run();
    else
        list->setCurrentIndex(*index);
}

void setValue(QScrollBar* bar, const std::optional<int>& value, const std::function<void()>& run) {
    if (!value)
        return;
    if (run && bar->value() == *value)
        run();
    else
        bar->setValue(*value);
}

void setText(QLineEdit* box, const std::optional<QString>& text, const std::function<void()>& run) {
    if (!text)
        return;
    if (run && box->text() == *text)
        run();
    else
        box->setText(*text);
}

void setNumber(QLineEdit* box, const std::optional<int>& value, const std::function<void()>& run) {
    if (value)
        setText(box, platform::numberText(*value), run);
}

} // namespace evalkit
