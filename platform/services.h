#pragma once
// The desktop services the programs lean on, each behind an interface with a
// production implementation; the recording ones that tests inject are in testing/.
#include "platform/core/savefile.h"
#include "platform/messages.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

// ---- open/save file names -------------------------------------------------
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // filter in the "Description (*.ext)|*.ext" form; an empty result means cancelled.
    // A file to read: the dialog takes only a file that exists.
    virtual QString openFileName(const QString& filter, int filterIndex = 1) = 0;
    // A file to write, new or not: the dialog asks before it hands out one that exists.
    virtual QString saveFileName(const QString& filter, int filterIndex = 1) = 0;
    // A file that exists, to be changed in place: the dialog takes only a file that exists
    // and asks no replace question, since nothing is replaced.
    virtual QString modifyFileName(const QString& filter, int filterIndex = 1) = 0;
};

class QtFileDialogService : public FileDialogService {
public:
    QString openFileName(const QString& filter, int filterIndex = 1) override;
    QString saveFileName(const QString& filter, int filterIndex = 1) override;
    QString modifyFileName(const QString& filter, int filterIndex = 1) override;
    void setParentWindow(QWidget* parent) { parent_ = parent; }

private:
    QWidget* parent_ = nullptr;
};

// Converts the "Description (*.ext)|*.ext|..." filter form to Qt's name filters.
QString toQtNameFilter(const QString& filter);

// ---- printing a window's picture -----------------------------------------
// Where the picture lands on the page: at its own size when it fits the page
// width, otherwise scaled to the page width with its proportions kept.
QRect printTargetRect(QSize window, int pageWidth);

class PrintService {
public:
    virtual ~PrintService() = default;
    // Returns an error text for the user when nothing could be printed.
    virtual std::optional<QString> printWindow(QWidget* window) = 0;
};

class QtPrintService : public PrintService {
public:
    std::optional<QString> printWindow(QWidget* window) override;
};

// Window size in twips (1440 per inch) at the widget's logical resolution.
QSize sizeInTwips(const QWidget* window);

// ---- sleeping and ending the program -------------------------------------
class SystemService {
public:
    virtual ~SystemService() = default;
    virtual void sleepMs(int ms) = 0;
    // Ends the program at once: no further window handlers, nothing saved.
    // Callers return straight after calling it.
    virtual void endProgram(int code = 0) = 0;
    virtual bool ended() const = 0;
};

class QtSystemService : public SystemService {
public:
    void sleepMs(int ms) override;
    void endProgram(int code = 0) override;
    bool ended() const override { return ended_; }

private:
    bool ended_ = false;
};

// ---- showing windows ------------------------------------------------------
class WindowShower {
public:
    virtual ~WindowShower() = default;
    virtual void showModal(QWidget* window) = 0;
    virtual void showModeless(QWidget* window) = 0;
};

class QtWindowShower : public WindowShower {
public:
    void showModal(QWidget* window) override;
    void showModeless(QWidget* window) override;
};

// ---- the bundle a program context receives -------------------------------
struct PlatformServices {
    MessageService* messages = nullptr;
    FileDialogService* files = nullptr;
    PrintService* printer = nullptr;
    SystemService* system = nullptr;
    WindowShower* shower = nullptr;
    SaveDeviceFactory* saving = nullptr; // nullptr: defaultSaveDevices()
};

class ProductionServices {
public:
    explicit ProductionServices(const QString& defaultTitle);
    PlatformServices view();
    void setParentWindow(QWidget* parent);

private:
    QtMessageService messages_;
    QtFileDialogService files_;
    QtPrintService printer_;
    QtSystemService system_;
    QtWindowShower shower_;
    QSaveFileFactory saving_;
};

} // namespace platform
