#include "platform/services.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QThread>

#include "platform/core/numbers.h"

namespace platform {

// ---- file dialogs ----------------------------------------------------------

QString toQtNameFilter(const QString& filter) {
    // "Test Files (*.txt)|*.txt" pairs a description with a pattern; Qt shows
    // the description, which already carries the pattern in brackets.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        out << (description.contains(QLatin1Char('('))
                    ? description
                    : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    if (out.isEmpty() && !filter.isEmpty())
        out << filter;
    return out.join(QStringLiteral(";;"));
}

static QString selectedFilter(const QString& qtFilters, int filterIndex) {
    const QStringList list = qtFilters.split(QStringLiteral(";;"));
    const int i = filterIndex - 1;
    return (i >= 0 && i < list.size()) ? list[i] : QString();
}

QString QtFileDialogService::openFileName(const QString& filter, int filterIndex) {
    const QString filters = toQtNameFilter(filter);
    QString chosen = selectedFilter(filters, filterIndex);
    return QFileDialog::getOpenFileName(parent_, QString(), QString(), filters, &chosen);
}

QString QtFileDialogService::saveFileName(const QString& filter, int filterIndex) {
    const QString filters = toQtNameFilter(filter);
    QString chosen = selectedFilter(filters, filterIndex);
    return QFileDialog::getSaveFileName(parent_, QString(), QString(), filters, &chosen);
}

QString QtFileDialogService::modifyFileName(const QString& filter, int filterIndex) {
    // A save dialog that takes only a file that is there: it is written, so the button says
    // so, but nothing is replaced, so there is no replace question. Qt's own dialog is used
    // because not every desktop's dialog keeps to the two rules together.
    QFileDialog dialog(parent_);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QString filters = toQtNameFilter(filter);
    dialog.setNameFilters(filters.split(QStringLiteral(";;")));
    if (const QString chosen = selectedFilter(filters, filterIndex); !chosen.isEmpty())
        dialog.selectNameFilter(chosen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// ---- printing --------------------------------------------------------------

QRect printTargetRect(QSize window, int pageWidth) {
    if (window.width() <= 0 || window.height() <= 0)
        return {};
    if (pageWidth >= window.width())
        return {0, 0, window.width(), window.height()};
    const double h = double(pageWidth) / double(window.width()) * double(window.height());
    return {0, 0, pageWidth, toInt32(h).value_or(0)};
}

QSize sizeInTwips(const QWidget* window) {
    const int dpiX = window->logicalDpiX() > 0 ? window->logicalDpiX() : 96;
    const int dpiY = window->logicalDpiY() > 0 ? window->logicalDpiY() : 96;
    const auto w = toInt32(double(window->width()) * 1440.0 / dpiX).value_or(0);
    const auto h = toInt32(double(window->height()) * 1440.0 / dpiY).value_or(0);
    return {w, h};
}

std::optional<QString> QtPrintService::printWindow(QWidget* window) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return QStringLiteral("No printer is installed. Install a printer and try again.");
    QPrinter printer(info, QPrinter::HighResolution);
    const QPixmap picture = window->grab();
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("The printer \"%1\" could not be started.").arg(info.printerName());
    // Measure window and page in twips so the size rule works in one unit.
    const QSize twips = sizeInTwips(window);
    const double unitsPerTwip = double(printer.resolution()) / 1440.0;
    const int pageTwips = toInt32(printer.pageRect(QPrinter::DevicePixel).width() / unitsPerTwip)
                              .value_or(twips.width());
    const QRect target = printTargetRect(twips, pageTwips);
    const QRect device(0, 0, toInt32(target.width() * unitsPerTwip).value_or(0),
                       toInt32(target.height() * unitsPerTwip).value_or(0));
    painter.drawPixmap(device, picture);
    painter.end();
    return std::nullopt;
}

// ---- system ----------------------------------------------------------------

void QtSystemService::sleepMs(int ms) {
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void QtSystemService::endProgram(int code) {
    ended_ = true;
    QCoreApplication::exit(code);
}

// ---- showing windows -------------------------------------------------------

void QtWindowShower::showModal(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
        return;
    }
    // A plain widget shown modally: block until it is hidden or destroyed.
    QPointer<QWidget> guard(window);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    QEventLoop loop;
    while (guard && guard->isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}

void QtWindowShower::showModeless(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

// ---- bundles ---------------------------------------------------------------

ProductionServices::ProductionServices(const QString& defaultTitle) : messages_(defaultTitle) {}

PlatformServices ProductionServices::view() {
    return {&messages_, &files_, &printer_, &system_, &shower_, &saving_};
}

void ProductionServices::setParentWindow(QWidget* parent) {
    messages_.setParentWindow(parent);
    files_.setParentWindow(parent);
}

} // namespace platform
