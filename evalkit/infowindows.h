#pragma once
// The Help menu's information windows: fixed texts that each program passes in, and closing
// them changes nothing.
#include "platform/form.h"

#include <QString>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;

namespace evalkit {

struct AboutTexts {
    QString revision; // REV
    QString description;
    QString address; // empty: no such line
    QString button = QStringLiteral("OK");
};

// The about box: the program's revision and who makes it.
class aboutform : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "aboutform";
    explicit aboutform(const AboutTexts& texts);

    void okButton_Click();

    QLabel* REV;
    QLabel* description;   // Label1
    QLabel* address;       // Label2; nullptr when the program has no address line
    QPushButton* okButton; // Command1

protected:
    void closeBox() override { okButton_Click(); }
};

struct RevisionHistory {
    enum class Kind {
        Revision, // a revision line: revision, date and note in columns
        Note,     // what changed in the revision above
        Footer,   // the closing line, set apart
    };
    struct Line {
        QString text;
        Kind kind = Kind::Revision;
        QString name; // the label's name; empty: Label1, Label2, ... by position
    };
    QString frame; // the frame around the lines; empty: no frame caption
    std::vector<Line> lines;
    QString button = QStringLiteral("OK");
    QString buttonToolTip;

    // A revision line with its columns aligned (the label uses a fixed-pitch font).
    static QString columns(const QString& revision, const QString& date, const QString& note);
};

// The revision history of the program.
class revform : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "revform";
    explicit revform(const RevisionHistory& history);

    void okButton_Click();

    QGroupBox* historyFrame; // Frame1
    QPushButton* okButton;   // Command1
    // The history lines top to bottom.
    std::vector<QLabel*> historyLines;

protected:
    void closeBox() override { okButton_Click(); }
};

// Help on setting up the parallel port of one laptop family, the same in every program. It has
// no button: the window's close box closes it.
class IBMhelpform : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "IBMhelpform";
    IBMhelpform();

    QLabel* intro; // Label1
    // The numbered steps, Label2 to Label10.
    QLabel *step1, *step2, *step3, *step4, *step5, *step6, *step7, *step8, *step9;
};

} // namespace evalkit
