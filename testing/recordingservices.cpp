#include "testing/recordingservices.h"

#include <QWidget>

namespace platform {

std::vector<QString> RecordingMessageService::texts() const {
    std::vector<QString> out;
    out.reserve(messages.size());
    for (const auto& m : messages)
        out.push_back(m.text);
    return out;
}

QString ScriptedFileDialogService::next() {
    if (answers.empty())
        return {};
    QString a = answers.front();
    answers.pop_front();
    return a;
}

QString ScriptedFileDialogService::openFileName(const QString& filter, int filterIndex) {
    requests.push_back({false, true, false, filter, filterIndex});
    return next();
}

QString ScriptedFileDialogService::saveFileName(const QString& filter, int filterIndex) {
    requests.push_back({true, false, true, filter, filterIndex});
    return next();
}

QString ScriptedFileDialogService::modifyFileName(const QString& filter, int filterIndex) {
    requests.push_back({true, true, false, filter, filterIndex});
    return next();
}

std::optional<QString> RecordingPrintService::printWindow(QWidget* window) {
    if (failWith)
        return failWith;
    const QSize twips = sizeInTwips(window);
    pictureSizes.push_back(twips);
    targets.push_back(printTargetRect(twips, pageWidthTwips));
    return std::nullopt;
}

void RecordingWindowShower::showModal(QWidget* window) {
    shown.push_back({window->objectName(), true});
    window->show();
}

void RecordingWindowShower::showModeless(QWidget* window) {
    shown.push_back({window->objectName(), false});
    window->show();
}

QStringList RecordingWindowShower::names() const {
    QStringList out;
    for (const auto& s : shown)
        out << s.name;
    return out;
}

} // namespace platform
