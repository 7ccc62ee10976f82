#include "evalkit/settingsfile.h"

#include "evalkit/programcontext.h"
#include "platform/numbers.h"
#include "platform/profile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

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
    const std::optional<QString> version = r.text(Key{u"File", u"Version"});
    if (!version || platform::textToNumber(*version) != 1.0) {
        app.messages().message(
            QStringLiteral("Error: Import file incompatible with this version of software. You "
                           "should check the Verrix website for updates"));
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
