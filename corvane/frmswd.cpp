#include "corvane/frmswd.h"

#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "corvane/statuscaptions.h"
#include "evalkit/fielddialog.h"
#include "platform/numbers.h"

#include <QComboBox>
#include <QFontDatabase>
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
    static const auto values = evalkit::dialog::FieldValues::steps(4, bit(6));
    return values;
}
const evalkit::dialog::FieldValues& lengthValues() {
    static const auto values = evalkit::dialog::FieldValues::steps(4, bit(4));
    return values;
}

// A longer packet than the 8-bit field holds is sent as the longest one.
evalkit::dialog::NumberBox packetLengthBox() {
    return {.maxLength = 4, .limit = 255, .over = evalkit::dialog::OverLimit::Clamp};
}

// Two bits of permitted errors; a cleared box means none.
evalkit::dialog::NumberBox errorsBox() {
    return {.limit = 3, .over = evalkit::dialog::OverLimit::Ignore, .emptyIsZero = true};
}

constexpr uint32_t kSyncWordMax = 0xFFFFFF; // 24 bits, R11 bits 8..31

} // namespace

frmSWD::frmSWD(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmSWD"));
    setWindowTitle(QStringLiteral("Form1"));

    cmbInterupt = evalkit::dialog::list(
        "cmbInterupt",
        {QStringLiteral("Interupt Pin Low"), QStringLiteral("Int High after Syncword"),
         QStringLiteral("Int High after sync for DPL Bytes"), QStringLiteral("Int Pin High")});
    txtDPL = evalkit::dialog::box("txtDPL", QStringLiteral("1"));
    cmbPreamble = evalkit::dialog::list("cmbPreamble",
                                        {QStringLiteral("12 Bits"), QStringLiteral("16 Bits"),
                                         QStringLiteral("20 Bits"), QStringLiteral("24 Bits")});
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    txtPreamble = evalkit::dialog::box("txtPreamble", QStringLiteral("2AA"));
    txtPreamble->setFont(fixed);
    txtErrors = evalkit::dialog::box("txtErrors", QStringLiteral("0"));
    txtErrors->setFont(fixed);
    return_ = evalkit::dialog::returnButton("return");

    auto* frame = new QGroupBox(QStringLiteral("Sync Word Detect"));
    auto* grid = new QGridLayout(frame);
    auto* mode = new QGroupBox(QStringLiteral("SWD Mode"));
    (new QVBoxLayout(mode))->addWidget(cmbInterupt);
    grid->addWidget(mode, 0, 0, 1, 2);
    int row = 1;
    auto add = [&](const QString& caption, QWidget* control) {
        grid->addWidget(new QLabel(caption), row, 0);
        grid->addWidget(control, row++, 1);
    };
    add(QStringLiteral("Data Packet Length"), txtDPL);
    add(QStringLiteral("# of Sync Word bits"), cmbPreamble);
    add(QStringLiteral("Sync Word Pattern (Hex)"), txtPreamble);
    add(QStringLiteral("Matching Errors Permitted (0 - 3) "), txtErrors);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(return_);

    connect(cmbInterupt, &QComboBox::currentIndexChanged, this, &frmSWD::cmbInterupt_Click);
    connect(cmbPreamble, &QComboBox::currentIndexChanged, this, &frmSWD::cmbPreamble_Click);
    connect(txtDPL, &QLineEdit::textChanged, this, &frmSWD::txtDPL_Change);
    connect(txtErrors, &QLineEdit::textChanged, this, &frmSWD::txtErrors_Change);
    connect(txtPreamble, &QLineEdit::textChanged, this, &frmSWD::txtPreamble_Change);
    connect(return_, &QPushButton::clicked, this, &frmSWD::return_Click);
}

void frmSWD::Form_Load() {
    const CorvaneFields& f = app_.f();
    evalkit::dialog::showField(cmbInterupt, modeValues(), f.SwdModeField);
    txtDPL->setText(platform::numberText(f.PacketLengthField / bit(8)));
    evalkit::dialog::showField(cmbPreamble, lengthValues(), f.SyncWordLengthField);
    txtErrors->setText(platform::numberText(f.SyncErrorsField / bit(6)));
    txtPreamble->setText(
        platform::hexText(platform::toInt64(f.SyncWordField / bit(8)).value_or(0)));
}

void frmSWD::cmbInterupt_Click() {
    if (const auto v = modeValues().at(cmbInterupt->currentIndex()))
        app_.f().SwdModeField = *v;
}

void frmSWD::cmbPreamble_Click() {
    if (const auto v = lengthValues().at(cmbPreamble->currentIndex()))
        app_.f().SyncWordLengthField = static_cast<int16_t>(*v);
}

void frmSWD::txtDPL_Change() {
    if (const auto n = packetLengthBox().accept(txtDPL->text(), app_.messages()))
        app_.f().PacketLengthField = *n * bit(8);
}

void frmSWD::txtErrors_Change() {
    if (const auto e = errorsBox().accept(txtErrors->text(), app_.messages()))
        app_.f().SyncErrorsField = *e * bit(6);
}

void frmSWD::txtPreamble_Change() {
    // A cleared box is the sync word 0. A pattern with other characters than
    // hexadecimal digits, or wider than the 24 bits of the field, is not a
    // sync word the chip can hold and is left out.
    const QString text = txtPreamble->text();
    uint32_t word = 0;
    if (!text.isEmpty()) {
        const std::optional<uint32_t> digits = platform::hexToU32(text);
        if (!digits || *digits > kSyncWordMax)
            return;
        word = *digits;
    }
    app_.f().SyncWordField = double(word) * bit(8);
}

void frmSWD::return_Click() {
    setCaption(*app_.main().Command11, swdCaptionOnReturn(app_.f().SwdModeField));
    evalkit::dialog::returnToFrontPanel(*this, app_);
}

} // namespace corvane
