#include "corvane/frmafc.h"

#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "corvane/statuscaptions.h"
#include "evalkit/fielddialog.h"
#include "platform/numbers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

using evalkit::dialog::bit;

namespace {

const evalkit::dialog::FieldValues& kpValues() {
    static const auto values = evalkit::dialog::FieldValues::steps(8, bit(21));
    return values;
}
const evalkit::dialog::FieldValues& kiValues() {
    static const auto values = evalkit::dialog::FieldValues::steps(16, bit(17));
    return values;
}

// The range is typed in kHz and held as a code of 0.5 kHz steps.
evalkit::dialog::NumberBox rangeBox() {
    return {.maxLength = 3,
            .limit = 255,
            .over = evalkit::dialog::OverLimit::Warn,
            .limitMessage = QStringLiteral("Max AFC Range setting is 255"),
            .step = 0.5};
}
evalkit::dialog::NumberBox scalingBox() {
    return {.maxLength = 4,
            .limit = 4095,
            .over = evalkit::dialog::OverLimit::Warn,
            .limitMessage = QStringLiteral("Max AFC Scaling factor setting is 4095")};
}

} // namespace

frmAFC::frmAFC(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmAFC"));
    setWindowTitle(QStringLiteral("AFC"));
    setModal(false);

    Toggle1 = new platform::Toggle;
    Toggle1->setObjectName(QStringLiteral("Toggle1"));
    Toggle1->setStateTexts(QStringLiteral("Off"), QStringLiteral("On"));
    cmbKp = evalkit::dialog::list("cmbKp", evalkit::dialog::numberItems(7));
    cmbKi = evalkit::dialog::list("cmbKi", evalkit::dialog::numberItems(15));
    txtAFCRange = evalkit::dialog::box("txtAFCRange");
    Label6 = evalkit::dialog::label("Label6", QStringLiteral("= 50kHz"));
    txtAFCScaling = evalkit::dialog::box("txtAFCScaling");
    Command2 = evalkit::dialog::returnButton("Command2");

    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](const QString& caption, QWidget* control) {
        grid->addWidget(new QLabel(caption), row, 0);
        grid->addWidget(control, row++, 1);
    };
    add(QStringLiteral("AFC Status"), Toggle1);
    add(QStringLiteral("Kp"), cmbKp);
    add(QStringLiteral("Ki"), cmbKi);
    add(QStringLiteral("Max AFC Range (+/-) kHz"), txtAFCRange);
    add(QStringLiteral("Reg10_DB[24:31]"), Label6);
    add(QStringLiteral("AFC Scaling Factor"), txtAFCScaling);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(Command2);

    connect(Toggle1, &platform::Toggle::toggled, this, &frmAFC::Toggle1_Change);
    connect(cmbKp, &QComboBox::currentIndexChanged, this, &frmAFC::cmbKp_Click);
    connect(cmbKi, &QComboBox::currentIndexChanged, this, &frmAFC::cmbKi_Click);
    connect(txtAFCRange, &QLineEdit::textChanged, this, &frmAFC::txtAFCRange_Change);
    connect(txtAFCScaling, &QLineEdit::textChanged, this, &frmAFC::txtAFCScaling_Change);
    connect(Command2, &QPushButton::clicked, this, &frmAFC::Command2_Click);
}

void frmAFC::Form_Load() {
    const CorvaneFields& f = app_.f();
    txtAFCRange->setText(platform::numberText(f.AfcRangeField / bit(24) / 2));
    txtAFCScaling->setText(platform::numberText(f.AfcScalingField / bit(5)));
    evalkit::dialog::showField(cmbKp, kpValues(), f.AfcKpField);
    evalkit::dialog::showField(cmbKi, kiValues(), f.AfcKiField);
    Toggle1->setOn(f.AfcEnableField == 16);
    Label6->setText(QStringLiteral("= ") + platform::numberText(f.AfcRangeField / bit(24)));
}

void frmAFC::Toggle1_Change() {
    app_.f().AfcEnableField = Toggle1->isOn() ? 16 : 0;
}

void frmAFC::cmbKp_Click() {
    if (const auto v = kpValues().at(cmbKp->currentIndex()))
        app_.f().AfcKpField = *v;
}

void frmAFC::cmbKi_Click() {
    if (const auto v = kiValues().at(cmbKi->currentIndex()))
        app_.f().AfcKiField = *v;
}

void frmAFC::txtAFCRange_Change() {
    const auto code = rangeBox().accept(txtAFCRange->text(), app_.messages());
    if (!code)
        return;
    // Codes up to 255 x 2^24 do not fit 32 signed bits; the field is a double.
    app_.f().AfcRangeField = double(*code) * bit(24);
    Label6->setText(QStringLiteral("= ") + platform::numberText(*code));
    app_.UpdateAllRegisterLabels();
}

void frmAFC::txtAFCScaling_Change() {
    const auto v = scalingBox().accept(txtAFCScaling->text(), app_.messages());
    if (!v)
        return;
    app_.f().AfcScalingField = double(*v) * bit(5);
    app_.UpdateAllRegisterLabels();
}

void frmAFC::Command2_Click() {
    CorvaneFields& f = app_.f();
    f.AfcEnableField = Toggle1->isOn() ? 16 : 0;
    setCaption(*app_.main().Command8, afcCaption(f.AfcEnableField));
    evalkit::dialog::returnToFrontPanel(*this, app_);
}

} // namespace corvane
