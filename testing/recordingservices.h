#pragma once
// The platform services as tests inject them: each records what the program asked of it and
// answers from a script, so a test drives a window without a modal box, a file dialog or a
// printer, and then reads what the user would have been shown.
#include "platform/messages.h"
#include "platform/services.h"
#include "testing/savefaults.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

class QWidget;

namespace platform {

// Records every message; answers with a scripted result (Ok by default).
class RecordingMessageService : public MessageService {
public:
    using MessageService::MessageService;
    void beep() override { ++beeps; }

    std::vector<MessageRecord> messages;
    int beeps = 0;
    MsgResult answer = MsgResult::Ok;

    std::vector<QString> texts() const;
    // A test clears the record between the actions it plays.
    void clear() {
        messages.clear();
        beeps = 0;
        newAction();
    }

protected:
    MsgResult show(const MessageRecord& record) override {
        messages.push_back(record);
        return answer;
    }
};

// Hands out scripted answers in order; an exhausted script answers "cancelled".
class ScriptedFileDialogService : public FileDialogService {
public:
    struct Request {
        bool save = false;       // the chosen file is written
        bool mustExist = false;  // the dialog takes only a file that exists ...
        bool askReplace = false; // ... or asks before it hands out one that exists
        QString filter;
        int filterIndex = 1;
    };
    QString openFileName(const QString& filter, int filterIndex = 1) override;
    QString saveFileName(const QString& filter, int filterIndex = 1) override;
    QString modifyFileName(const QString& filter, int filterIndex = 1) override;

    std::deque<QString> answers;
    std::vector<Request> requests;

private:
    QString next();
};

// Records where the picture would go on a page of the given width (in twips,
// as the window's size is measured).
class RecordingPrintService : public PrintService {
public:
    std::optional<QString> printWindow(QWidget* window) override;

    int pageWidthTwips = 11906; // A4 portrait
    std::optional<QString> failWith;
    std::vector<QRect> targets;
    std::vector<QSize> pictureSizes;
};

class RecordingSystemService : public SystemService {
public:
    void sleepMs(int ms) override { sleeps.push_back(ms); }
    void endProgram(int code = 0) override {
        ended_ = true;
        endCode = code;
    }
    bool ended() const override { return ended_; }

    std::vector<int> sleeps;
    int endCode = 0;

private:
    bool ended_ = false;
};

// Shows without blocking, so a test can drive a "modal" window afterwards.
class RecordingWindowShower : public WindowShower {
public:
    struct Shown {
        QString name;
        bool modal = false;
    };
    void showModal(QWidget* window) override;
    void showModeless(QWidget* window) override;

    std::vector<Shown> shown;
    QStringList names() const;
};

// The bundle a test hands a program context.
class RecordingServices {
public:
    // The program's name is the messages' default title, as the program's own services have it.
    explicit RecordingServices(const QString& defaultTitle) : messages(defaultTitle) {}
    PlatformServices view() { return {&messages, &files, &printer, &system, &shower, &saving}; }

    RecordingMessageService messages;
    ScriptedFileDialogService files;
    RecordingPrintService printer;
    RecordingSystemService system;
    RecordingWindowShower shower;
    FaultySaveDeviceFactory saving; // saves as the real factory does until told to fail
};

} // namespace platform
