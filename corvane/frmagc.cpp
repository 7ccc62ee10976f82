#include "corvane/frmagc.h"

#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "corvane/statuscaptions.h"
#include "evalkit/fielddialog.h"
#include "platform/entrymark.h"
#include "platform/numbers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

using evalkit::dialog::bit;

namespace {

const evalkit::dialog::FieldValues& modeValues() {
    static const evalkit::dialog::FieldValues values{0, bit(18), bit(19)};
    return values;
}
const evalkit::dialog::FieldValues& lnaValues() {
    static const auto values = evalkit::dialog::FieldValues::steps(3, bit(20));
    return values;
}
const evalkit::dialog::FieldValues& filterValues() {
    static const auto values = evalkit::dialog::FieldValues::steps(3, bit(22));
    return values;
}

evalkit::dialog::NumberBox thresholdBox(int32_t limit, const QString& message) {
    return {.maxLength = 2,
            .limit = limit,
            .over = evalkit::dialog::OverLimit::Warn,
            .limitMessage = message};
}

// The closing check looks at the box as it stands, which may hold what the
// box's handler refused. A number beyond the limits is reported; a box that
// holds no number at all already carries the refusal mark that says so, and is
// not "outside of limits".
bool outsideLimits(const QString& text, double limit) {
    const std::optional<double> v = platform::textToNumber(text);
    return v && (*v > limit || *v < 0);
}

QStringList gainItems() {
    return {QStringLiteral("Low"), QStringLiteral("Medium"), QStringLiteral("High")};
}

} // namespace

frmAGC::frmAGC(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmAGC"));
    setWindowTitle(QStringLiteral("AGC"));

    Combo1 = evalkit::dialog::list(
        "Combo1", {QStringLiteral("Auto"), QStringLiteral("Manual"), QStringLiteral("Freeze")});
    Combo2 = evalkit::dialog::list("Combo2", gainItems());
    Combo3 = evalkit::dialog::list("Combo3", gainItems());
    Text1 = evalkit::dialog::box("Text1");
    Text2 = evalkit::dialog::box("Text2");
    Command2 = evalkit::dialog::returnButton("Command2");

    auto* mode = new QGridLayout;
    mode->addWidget(new QLabel(QStringLiteral("AGC")), 0, 0);
    mode->addWidget(Combo1, 0, 1);
    auto* gains = new QGroupBox(QStringLiteral("Manual Gains"));
    auto* gainGrid = new QGridLayout(gains);
    gainGrid->addWidget(new QLabel(QStringLiteral("LNA Gain")), 0, 0);
    gainGrid->addWidget(Combo2, 0, 1);
    gainGrid->addWidget(new QLabel(QStringLiteral("IF Filter Gain")), 1, 0);
    gainGrid->addWidget(Combo3, 1, 1);
    auto* thresholds = new QGroupBox(QStringLiteral("AGC Thresholds"));
    auto* thresholdGrid = new QGridLayout(thresholds);
    thresholdGrid->addWidget(new QLabel(QStringLiteral("Low")), 0, 0);
    thresholdGrid->addWidget(Text1, 0, 1);
    thresholdGrid->addWidget(new QLabel(QStringLiteral("High")), 1, 0);
    thresholdGrid->addWidget(Text2, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(mode);
    layout->addWidget(gains);
    layout->addWidget(thresholds);
    layout->addWidget(Command2);

    connect(Combo1, &QComboBox::currentIndexChanged, this, &frmAGC::Combo1_Click);
    connect(Combo2, &QComboBox::currentIndexChanged, this, &frmAGC::Combo2_Click);
    connect(Combo3, &QComboBox::currentIndexChanged, this, &frmAGC::Combo3_Click);
    connect(Text1, &QLineEdit::textChanged, this, &frmAGC::Text1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &frmAGC::Text2_Change);
    connect(Command2, &QPushButton::clicked, this, &frmAGC::Command2_Click);
}

void frmAGC::Form_Load() {
    const CorvaneFields& f = app_.f();
    if (evalkit::dialog::showField(Combo1, modeValues(), f.AgcModeField))
        enableManualGains(f.AgcModeField != 0);
    evalkit::dialog::showField(Combo2, lnaValues(), f.LnaGainField);
    evalkit::dialog::showField(Combo3, filterValues(), f.FilterGainField);
    Text2->setText(platform::numberText(f.AgcHighThresholdField / bit(11)));
    Text1->setText(platform::numberText(f.AgcLowThresholdField / bit(4)));
}

void frmAGC::enableManualGains(bool enabled) {
    // The gains only act in manual and frozen mode; their fields keep their
    // values (and stay in register 9) while they are greyed out.
    Combo2->setEnabled(enabled);
    Combo3->setEnabled(enabled);
}

void frmAGC::Combo1_Click() {
    const auto mode = modeValues().at(Combo1->currentIndex());
    if (!mode)
        return;
    app_.f().AgcModeField = *mode;
    enableManualGains(*mode != 0);
}

void frmAGC::Combo2_Click() {
    if (const auto v = lnaValues().at(Combo2->currentIndex()))
        app_.f().LnaGainField = *v;
}

void frmAGC::Combo3_Click() {
    if (const auto v = filterValues().at(Combo3->currentIndex()))
        app_.f().FilterGainField = *v;
}

// A threshold entry, or nothing when it is refused: the box is marked until an
// entry is taken, and a number above the limit also gets its message.
std::optional<int32_t> frmAGC::threshold(QLineEdit* box, int32_t limit, const QString& limitMessage,
                                         const QString& accepts) {
    const auto v = thresholdBox(limit, limitMessage).accept(box->text(), app_.messages());
    platform::showRefusal(box, !v, accepts);
    return v;
}

void frmAGC::Text1_Change() {
    const auto v = threshold(Text1, 63, QStringLiteral("Max AGC Low Threshold setting is 63"),
                             AgcLowAcceptsText);
    if (!v)
        return;
    app_.f().AgcLowThresholdField = *v * bit(4);
    app_.UpdateAllRegisterLabels();
}

void frmAGC::Text2_Change() {
    const auto v = threshold(Text2, 80, QStringLiteral("Max AGC High Threshold setting is 80"),
                             AgcHighAcceptsText);
    if (!v)
        return;
    app_.f().AgcHighThresholdField = *v * bit(11);
    app_.UpdateAllRegisterLabels();
}

void frmAGC::Command2_Click() {
    // The checks only warn: the thresholds that were refused never reached the fields.
    if (outsideLimits(Text2->text(), 80))
        app_.messages().message(QStringLiteral("AGC High Threshold outside of limits"));
    if (outsideLimits(Text1->text(), 63))
        app_.messages().message(QStringLiteral("AGC Low Threshold outside of limits"));
    setCaption(*app_.main().Command9, agcCaption(app_.f().AgcModeField));
    evalkit::dialog::returnToFrontPanel(*this, app_);
}

} // namespace corvane
