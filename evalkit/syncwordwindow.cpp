#include "evalkit/syncwordwindow.h"
#include "evalkit/fielddialog.h"

#include "evalkit/programcontext.h"
#include "evalkit/settingsfile.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/listchoice.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace evalkit {

namespace {

// The code a box shows for its field.
QString codeText(const FieldRef& field) {
    return platform::numberText(field.stored() / field.unit());
}

} // namespace

frmSWD::frmSWD(ProgramContext& app, const SwdDescription& description,
               QAbstractButton* statusButton)
    : app_(app), d_(description), statusButton_(statusButton), mode_(app, description.modeField),
      length_(app, description.lengthField), errors_(app, description.errorsField),
      syncWord_(app, description.syncWordField) {
    setObjectName(QLatin1String(DesignName));
    loadAgainWhenShown();
    setWindowTitle(QStringLiteral("Form1"));

    detectionMode = dialog::list("cmbInterupt", description.modes);
    wordLength =
        dialog::list("cmbPreamble", {QStringLiteral("12 Bits"), QStringLiteral("16 Bits"),
                                     QStringLiteral("20 Bits"), QStringLiteral("24 Bits")});
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    syncWordPattern = dialog::box("txtPreamble", description.syncWordDesign);
    syncWordPattern->setFont(fixed);
    txtErrors = dialog::box("txtErrors", QStringLiteral("0"));
    txtErrors->setFont(fixed);
    return_ = dialog::returnButton("return");
    return_->setDefault(true);

    auto* frame = new QGroupBox(description.frame);
    auto* grid = new QGridLayout(frame);
    auto* mode = new QGroupBox(QStringLiteral("SWD Mode"));
    (new QVBoxLayout(mode))->addWidget(detectionMode);
    grid->addWidget(mode, 0, 0, 1, 2);
    int row = 1;
    auto add = [&](const QString& caption, QWidget* control) {
        auto* label = new QLabel(caption);
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row++, 1);
    };
    if (description.packetLengthField) {
        packetLength_.emplace(app, description.packetLengthField);
        txtDPL = dialog::box("txtDPL", QStringLiteral("1"));
        add(QStringLiteral("Data Packet Length"), txtDPL);
    }
    add(QStringLiteral("# of Sync Word bits"), wordLength);
    add(QStringLiteral("Sync Word Pattern (Hex)"), syncWordPattern);
    add(QStringLiteral("Matching Errors Permitted (0 - 3) "), txtErrors);
    grid->setColumnStretch(1, 1);
    auto* foot = dialog::footer({return_});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(foot);
    setMinimumWidth(380);

    platform::onChoice(detectionMode, this, &frmSWD::detectionMode_Click);
    platform::onChoice(wordLength, this, &frmSWD::wordLength_Click);
    if (txtDPL)
        app_.entries().watch(txtDPL, {QStringLiteral("packet length")},
                             [this] { txtDPL_Change(); });
    app_.entries().watch(txtErrors, {QStringLiteral("number of matching errors")},
                         [this] { txtErrors_Change(); });
    app_.entries().watch(syncWordPattern, {QStringLiteral("sync word")},
                         [this] { syncWordPattern_Change(); });
    connect(return_, &QPushButton::clicked, this, &frmSWD::return_Click);
}

void frmSWD::Form_Load() {
    dialog::showField(detectionMode, d_.modeValues, mode_.stored());
    if (txtDPL)
        txtDPL->setText(codeText(*packetLength_));
    if (const std::optional<int> length = length_.code(); length && *length < wordLength->count())
        wordLength->setCurrentIndex(*length);
    txtErrors->setText(codeText(errors_));
    const std::optional<int64_t> word = platform::toInt64(syncWord_.stored() / syncWord_.unit());
    syncWordPattern->setText(d_.syncWordPrefix + platform::hexText(word.value_or(0)));
}

void frmSWD::detectionMode_Click() {
    if (const std::optional<int32_t> v = d_.modeValues.at(detectionMode->currentIndex()))
        mode_.store(*v);
}

void frmSWD::wordLength_Click() {
    const int i = wordLength->currentIndex();
    if (i >= 0)
        length_.setCode(i);
}

void frmSWD::txtDPL_Change() {
    if (!txtDPL || !packetLength_)
        return;
    const std::optional<int32_t> n = d_.packetLength.accept(txtDPL->text(), app_.messages());
    platform::showRefusal(txtDPL, !n, d_.packetLengthAccepts);
    if (n)
        packetLength_->setCode(*n);
}

void frmSWD::txtErrors_Change() {
    const std::optional<int32_t> e = d_.errors.accept(txtErrors->text(), app_.messages());
    platform::showRefusal(txtErrors, !e, d_.errorsAccepts);
    if (e)
        errors_.setCode(*e);
}

std::optional<uint32_t> frmSWD::syncWord(const QString& text, const SwdDescription& description,
                                         bool* tooWide) {
    return calc::syncWordValue(text, description.syncWordPrefix, tooWide);
}

void frmSWD::syncWordPattern_Change() {
    // A pattern the chip cannot hold is left out: the field keeps the word in force, and the
    // box says what it takes until its text is a word again.
    bool tooWide = false;
    const std::optional<uint32_t> word = syncWord(syncWordPattern->text(), d_, &tooWide);
    if (tooWide && !d_.syncWordTooWide.isEmpty())
        app_.entries().refuse(syncWordPattern, d_.syncWordAccepts,
                              {{d_.syncWordTooWide, platform::MsgIcon::None, std::nullopt}});
    else if (!word)
        app_.entries().refuse(syncWordPattern, d_.syncWordAccepts);
    else
        app_.entries().accept(syncWordPattern);
    if (word)
        syncWord_.store(double(*word) * syncWord_.unit());
}

void frmSWD::return_Click() {
    dialog::showStatus(statusButton_, d_.status, mode_.stored());
    dialog::returnToFrontPanel(*this, app_);
}

void frmSWD::applySettings(const calc::SyncWordPlan& p) {
    setIndex(detectionMode, p.detect, [this] { detectionMode_Click(); });
    setText(syncWordPattern, p.word, [this] { syncWordPattern_Change(); });
    setIndex(wordLength, p.length, [this] { wordLength_Click(); });
    setNumber(txtErrors, p.errors, [this] { txtErrors_Change(); });
    if (txtDPL && p.packetLength)
        txtDPL->setText(*p.packetLength);
}

calc::SyncWordRecord frmSWD::settingsInForce() const {
    // A pattern the box shows that is not the word in force is written as the field holds it.
    QString word = platform::textInForce(syncWordPattern);
    if (const std::optional<int> code = syncWord_.code();
        code && syncWord(word, d_) != std::optional<uint32_t>(uint32_t(*code)))
        word = d_.syncWordPrefix + platform::hexText(*code);
    const std::optional<int> errors = errors_.code();
    return {indexInForce(detectionMode, d_.modeValues.indexOf(mode_.stored())), word,
            indexInForce(wordLength, length_.code()),
            errors ? numberInForce(txtErrors, *errors) : platform::textInForce(txtErrors)};
}

} // namespace evalkit
