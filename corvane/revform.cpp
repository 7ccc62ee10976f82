#include "corvane/revform.h"

#include "corvane/corvaneapp.h"
#include "platform/named.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

struct Revision {
    const char* revision;
    const char* date;
    const char* note;
    std::vector<const char*> changes;
};

// The revision, its date and its note in columns (the label uses a fixed-pitch font).
QString revisionLine(const Revision& r) {
    return QString::fromLatin1(r.revision).leftJustified(12) +
           QString::fromLatin1(r.date).leftJustified(14) + QString::fromLatin1(r.note);
}

const std::vector<Revision>& history() {
    static const std::vector<Revision> revisions = {
        {"Rev 1.0", "May '05", "Sampling Silicon Rev 1 - Datasheet Rev Pr. A", {}},
        {"Rev 2.0",
         "March '06",
         "New Silicon - Rev 1 ",
         {"Addition of seperate AFC, AGC, SWD and IF Filter cal windows",
          "Added use of external inductor", "Change to appearance", "Removed Load Now buttons. ",
          "User must now write to appropriate register. Regsiter highlighted in green",
          "Can be used with USB or Parallel Port interface"}},
        {"Rev 2.1",
         "July '06",
         "Minor update ",
         {"Added Import/export to tesxt file. Can also import from Ombrelle and export to "
          "Zantrel ver 2.0",
          "No longer any conflicts with French/German PC language settings",
          "Fixed some minor bugs "}},
        {"Rev 3.0",
         "Nov 06",
         "Major Update. Silicon Rev 3",
         {"Addition of seperate AFC, AGC, SWD and IF Filter cal windows"}},
        {"Rev 3.1",
         "",
         "Silicon Rev4",
         {"Changed Synthesizer window. User now always enters desired RF channel frequency "
          "(even in ext L mode with RF_divide by_2 enabled)"}},
        {"Rev 3.2",
         "",
         "Silicon Rev4",
         {"Fixed AFC scaling issue and fine cal tones now as per datasheet revA"}},
    };
    return revisions;
}

} // namespace

revform::revform(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("revform"));
    setWindowTitle(QStringLiteral("Help / Information"));

    Frame1 = platform::named(new QGroupBox(QStringLiteral("Unload Me")), "Frame1");
    auto* lines = new QVBoxLayout(Frame1);
    auto addLine = [&](const QString& text) {
        auto* label = new QLabel(text);
        label->setObjectName(QStringLiteral("Label") + QString::number(historyLines.size() + 1));
        historyLines.push_back(label);
        return label;
    };

    QFont fixed(QStringLiteral("Courier"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setBold(true);
    for (const Revision& r : history()) {
        QLabel* line = addLine(revisionLine(r));
        line->setFont(fixed);
        lines->addSpacing(4);
        lines->addWidget(line);
        for (const char* change : r.changes) {
            QLabel* note = addLine(QString::fromLatin1(change));
            note->setWordWrap(true);
            note->setIndent(24);
            lines->addWidget(note);
        }
    }
    lines->addSpacing(10);
    lines->addWidget(
        addLine(QStringLiteral("Please check the Verrix website for Updates to this software")));

    Command1 = platform::namedButton("Command1", QStringLiteral("OK"));
    Command1->setToolTip(QStringLiteral("Back to the Main Window"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &revform::Command1_Click);

    auto* foot = new QHBoxLayout;
    foot->addStretch();
    foot->addWidget(Command1);

    auto* top = new QVBoxLayout(this);
    top->addWidget(Frame1);
    top->addLayout(foot);
    setMinimumWidth(760);
}

void revform::Command1_Click() {
    unload();
}

} // namespace corvane
