#include "evalkit/settingsfile.h"

#include "evalkit/fieldref.h"
#include "evalkit/fileerrors.h"
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

namespace {

// Reads the whole settings file once (the other tools' files can carry many thousands of lines
// of their own). A file that is missing or cannot be read is reported and gives nullopt.
std::optional<platform::ProfileDocument> loadSettingsFile(ProgramContext& app,
                                                          const QString& path) {
    // The user named this file: one that is not there is reported, not read as empty.
    platform::ProfileLoad loaded =
        platform::loadProfileDocument(path, platform::MissingFile::IsAnError);
    if (loaded.error) {
        reportFileError(app, SettingsReadFailure, *loaded.error);
        return std::nullopt;
    }
    return std::move(loaded.document);
}

// The import's closing message, when a value was not taken as it stands.
void reportSummary(ProgramContext& app, const QString& path, const calc::KeyReader& r) {
    const QString summary = r.summary(fileName(path));
    if (!summary.isEmpty())
        app.messages().message(summary, platform::MsgIcon::Exclamation);
}

} // namespace

void exportSettings(ProgramContext& app, const QString& path,
                    const std::function<void(const calc::KeyWriter&)>& write) {
    platform::ProfileBatch batch(path, app.saveDevices());
    write([&batch](const calc::Key& k, const QString& v) {
        batch.write(k.sectionName(), k.keyName(), v);
    });
    if (const std::optional<platform::ProfileError> error = batch.commit())
        reportFileError(app, SettingsSaveFailure, *error);
}

bool settingsSaveRefused(ProgramContext& app, const QString& path) {
    return refusedAsNotAFile(app, path, SettingsSaveFailure);
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
                    const std::function<void(calc::KeyReader&)>& import) {
    const std::optional<platform::ProfileDocument> document = loadSettingsFile(app, path);
    if (!document)
        return;
    calc::KeyReader r(*document);
    if (const std::optional<QString> refusal = calc::versionRefusal(r)) {
        app.messages().message(*refusal);
        return;
    }
    import(r);
    reportSummary(app, path, r);
}

QString indexText(const QComboBox* list) {
    return platform::numberText(list->currentIndex());
}

std::optional<int> itemOfField(const QComboBox* list, reglink::RegisterFile& store,
                               std::string_view field, const std::vector<int>& codes) {
    const std::optional<int> code = FieldRef(store, field).code();
    if (!code)
        return std::nullopt;
    int item = *code;
    if (!codes.empty()) {
        const auto at = std::find(codes.begin(), codes.end(), *code);
        if (at == codes.end())
            return std::nullopt;
        item = static_cast<int>(at - codes.begin());
    }
    if (item < 0 || item >= list->count())
        return std::nullopt;
    return item;
}

QString indexOfField(const QComboBox* list, reglink::RegisterFile& store, std::string_view field,
                     const std::vector<int>& codes) {
    return platform::numberText(
        itemOfField(list, store, field, codes).value_or(list->currentIndex()));
}

QString textOfField(const QComboBox* list, reglink::RegisterFile& store, std::string_view field,
                    const std::vector<int>& codes) {
    const std::optional<int> item = itemOfField(list, store, field, codes);
    return item ? list->itemText(*item) : list->currentText();
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

SynthesizerImport putSynthesizerEntries(const SynthEntryBoxes& boxes,
                                        const calc::SynthesizerEntries& entries, double doubling) {
    SynthesizerImport import{
        entries, boxes.rf->text(), boxes.pfd->text(), boxes.crystal->text(), {}};
    setText(boxes.rf, entries.rf);
    setText(boxes.crystal, entries.crystal);
    if (entries.refDivider) {
        if (const std::optional<QString> pfd =
                calc::pfdEntry(boxes.crystal->text(), *entries.refDivider, doubling))
            boxes.pfd->setText(*pfd);
    }
    return import;
}

calc::SynthesizerValues synthesizerEntries(const SynthEntryBoxes& boxes) {
    const auto number = [](const QLineEdit* box) {
        return platform::textToNumber(box->text()).value_or(0);
    };
    return {number(boxes.rf), number(boxes.pfd), number(boxes.crystal)};
}

void checkSynthesizerImport(calc::KeyReader& r, const SynthesizerImport& import,
                            const SynthEntryBoxes& boxes, const calc::SynthesizerValues& kept,
                            double rfToleranceMHz) {
    const std::vector<calc::Key> notTaken =
        calc::entriesNotTaken(import.entries, import.given, kept, rfToleranceMHz);
    if (notTaken.empty())
        return;
    for (const calc::Key& k : notTaken)
        r.skip(k);
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
