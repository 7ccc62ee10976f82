#include "corvane/demodulatorwindow.h"

#include "corvane/calc/datarate.h"
#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"
#include "evalkit/calc/receiverclocks.h"
#include "evalkit/calc/takenrange.h"
#include "evalkit/fielddialog.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/listchoice.h"
#include "platform/messages.h"
#include "platform/named.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace corvane {

using evalkit::dialog::bit;

namespace {

constexpr int32_t LargestDiscrimSetting = 660;
using evalkit::calc::MaxTenBitCode; // DiscrimBwField and PostDemodBwField
constexpr int MaxK = std::numeric_limits<int16_t>::max();
constexpr int32_t MaxIFFilterDivider = 511;
constexpr int32_t MaxBBOffsetEntry = 27; // 28 / 8 rounds to 4, beyond the 2-bit code
constexpr int32_t MaxDemodDivider = 15;
constexpr int32_t MaxCdrDivider = 255;
// The demodulator divider field holds 0 for a divide by 4.
constexpr int32_t DemodDividerOfCodeZero = 4;

int32_t demodDivider(int16_t field) {
    return evalkit::calc::demodDividerOfCode(field / bit(6));
}

int32_t bbOffsetDivider(int32_t field) {
    return evalkit::calc::bbOffsetDivider(field / bit(4));
}

// A divider box's entry: a number outside the field's range is refused with the message that
// names the range; text that is not a number is refused without one (the box is marked
// instead, see refuseDivider).
std::optional<int32_t> dividerEntry(const QString& text, int32_t lo, int32_t hi,
                                    const QString& limitText, evalkit::ProgramContext& app) {
    const evalkit::calc::DividerEntry entry = evalkit::calc::dividerEntry(text, lo, hi, limitText);
    if (entry.refusal)
        app.show({*entry.refusal});
    return entry.value;
}

// numerator / divisor in the ".0000" pattern with its unit; empty when there is no quotient.
QString clockText(double numerator, double divisor, const QString& unit) {
    return evalkit::calc::clockText(numerator, divisor, unit).value_or(QString());
}

const QString kHz = QStringLiteral(" kHz");
const QString MHz = QStringLiteral(" MHz");

} // namespace

frmDemod::frmDemod(CorvaneApp& app)
    : DemodWindow({.dividerBoxWidth = 60,
                   .postDemodBoxWidth = 70,
                   .actualBwCaption = QStringLiteral("Actual Post Demod BW  ="),
                   .lblDemodBW_disp = QStringLiteral("R4_DB(20:29) = 16")}),
      app_(app) {
    // Correlator Setting
    cmbdiscrim = evalkit::dialog::list(
        "cmbdiscrim", {QStringLiteral("Discrim B/W = 1x"), QStringLiteral("Discrim B/W = 2x"),
                       QStringLiteral("Discrim B/W = 3x"), QStringLiteral("Discrim B/W = 4x")});
    cmbdiscrim->setToolTip(QStringLiteral(
        "Increasing the Discrim B/W improves the frequency tolerance of the receiver. It will "
        "also cause a slight degradation in sensitivity"));
    CmdKup = platform::namedButton("CmdKup", QStringLiteral("K up"));
    cmdKdown = platform::namedButton("cmdKdown", QStringLiteral("K down"));
    cmdKreset = platform::namedButton("cmdKreset", QStringLiteral("reset"));
    correlatorK = evalkit::dialog::label("Label14", QStringLiteral("50"));
    discriminatorCentre = evalkit::dialog::label("Label16", QString());
    auto* correlator = new QGridLayout(FrCorrelator);
    correlator->addWidget(cmbdiscrim, 0, 0, 1, 4);
    correlator->addWidget(new QLabel(QStringLiteral("K value =")), 1, 0);
    correlator->addWidget(correlatorK, 1, 1);
    correlator->addWidget(CmdKup, 1, 2);
    correlator->addWidget(cmdKdown, 1, 3);
    correlator->addWidget(cmdKreset, 2, 2, 1, 2);
    correlator->addWidget(new QLabel(QStringLiteral("Discrim BW =")), 3, 0);
    correlator->addWidget(lblT4Frequency, 3, 1, 1, 3);
    correlator->addWidget(new QLabel(QStringLiteral("Discrim Centre Freq =")), 4, 0);
    correlator->addWidget(discriminatorCentre, 4, 1, 1, 3);
    correlator->setColumnMinimumWidth(1, 90);

    auto* left = new QVBoxLayout;
    left->addWidget(FrCorrelator);
    left->addWidget(FrLockmode);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(FrPostDemod);
    right->addWidget(FrClocks);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    layoutWindow(columns);

    platform::onChoice(cmbdiscrim, this, &frmDemod::cmbdiscrim_Click);
    connect(CmdKup, &QPushButton::clicked, this, &frmDemod::CmdKup_Click);
    connect(cmdKdown, &QPushButton::clicked, this, &frmDemod::cmdKdown_Click);
    connect(cmdKreset, &QPushButton::clicked, this, &frmDemod::cmdKreset_Click);
    platform::onChoice(cmbLockmode, this, &frmDemod::cmbLockmode_Click);
    app_.entries().watch(txtDemodBW,
                         {QStringLiteral("post-demodulator bandwidth"), QStringLiteral("kHz")},
                         [this] { txtDemodBW_Change(); });
    connect(cmdautoClock, &QPushButton::clicked, this, &frmDemod::cmdautoClock_Click);
    connect(returnToPanel, &QPushButton::clicked, this, &frmDemod::returnToPanel_Click);
}

// ---- load --------------------------------------------------------------------------------

void frmDemod::Form_Load() {
    const CorvaneFields& f = app_.f();
    const CorvaneWorking& w = app_.w();

    const double lock = f.LockThresholdModeField;
    if (lock == 0 || lock == 16 || lock == 32 || lock == 48)
        cmbLockmode->setCurrentIndex(static_cast<int>(lock / 16));
    if (w.DiscrimMultiplier >= 1 && w.DiscrimMultiplier <= 4)
        cmbdiscrim->setCurrentIndex(w.DiscrimMultiplier - 1);

    if (w.ActualDeviationKHz > 0) {
        storeDiscrimCode(w.DiscrimK);
        storeParity(w.DiscrimK);
    }
    // The linear demodulator has no correlator to set.
    const bool linear = linearOnFrontPanel();
    FrCorrelator->setEnabled(!linear);
    if (linear) {
        correlatorK->clear();
        lblT4Frequency->clear();
        discriminatorCentre->clear();
    } else {
        showKLabels();
    }

    const int16_t type = f.DemodTypeField;
    if (type == calc::DemodLinear || type == calc::DemodCorrelator || type == calc::DemodThreeFsk ||
        type == calc::DemodFourFsk) {
        const bool kControls = type == calc::DemodLinear || type == calc::DemodCorrelator;
        for (QWidget* c : {static_cast<QWidget*>(cmbdiscrim), static_cast<QWidget*>(CmdKup),
                           static_cast<QWidget*>(cmdKdown), static_cast<QWidget*>(cmdKreset)})
            c->setEnabled(kControls);
    }
    if (!linear)
        showCentreFrequency();

    showBoxes();
    showClocks();
    showPostDemod();
    // The load stores the discriminator for K again: the front panel shows the word it makes.
    app_.UpdateAllRegisterLabels();
}

bool frmDemod::linearOnFrontPanel() {
    return app_.main().cmbDemod->currentIndex() == 0;
}

// ---- discriminator -------------------------------------------------------------------------

// The discriminator bandwidth code for K at the demodulator clock. Above the largest setting
// the warning is shown and the code is stored as computed, as long as it fits the field's ten
// bits; a code beyond them is refused (with the same warning), the field keeps its value.
bool frmDemod::storeDiscrimCode(int K) {
    const auto b = calc::discrimBandwidthCode(K, app_.w().DemodClockMHz);
    if (!b || *b > LargestDiscrimSetting)
        app_.messages().message(DiscrimLimitText);
    if (!b || *b < 0 || *b > MaxTenBitCode)
        return false;
    app_.f().DiscrimBwField = *b * bit(10);
    return true;
}

void frmDemod::storeParity(int K) {
    const calc::KParity parity = calc::kParity(K);
    app_.f().KParityBit7Field = parity.bit7;
    app_.f().KParityBit9Field = parity.bit9;
}

// A new K with its bandwidth code, parity and labels (those only while a deviation is set).
// A K below 1 or one whose code does not fit is refused and nothing changes.
bool frmDemod::stepK(int K) {
    if (K < 1 || K > MaxK) {
        app_.messages().message(KLimitText, platform::MsgIcon::Exclamation);
        return false;
    }
    if (!(app_.w().ActualDeviationKHz > 0)) {
        app_.w().DiscrimK = static_cast<int16_t>(K);
        return true;
    }
    if (!storeDiscrimCode(K))
        return false;
    app_.w().DiscrimK = static_cast<int16_t>(K);
    storeParity(K);
    showKLabels();
    app_.UpdateAllRegisterLabels();
    return true;
}

void frmDemod::showKLabels() {
    const int K = app_.w().DiscrimK;
    correlatorK->setText(platform::numberText(K));
    if (K > 0)
        lblT4Frequency->setText(platform::formatNumber(100.0 / K, u"0.000#") + kHz);
    else
        lblT4Frequency->clear();
    showCentreFrequency();
}

void frmDemod::showCentreFrequency() {
    const CorvaneFields& f = app_.f();
    const double fdMHz =
        double(app_.w().CrystalFrequencyMHz) / demodDivider(f.DemodClockDividerField);
    const double code = f.DiscrimBwField / double(bit(10));
    const double centre = fdMHz * 1000.0 * app_.w().DiscrimK / (code * 4);
    if (code == 0 || !std::isfinite(centre))
        discriminatorCentre->clear();
    else
        discriminatorCentre->setText(platform::formatNumber(centre, u"#000.000") + kHz);
}

void frmDemod::cmbdiscrim_Click() {
    const int i = cmbdiscrim->currentIndex();
    if (i < 0 || i > 3)
        return;
    CorvaneWorking& w = app_.w();
    const auto multiplier = static_cast<int16_t>(i + 1);
    if (app_.f().DemodTypeField == calc::DemodCorrelator && w.ActualDeviationKHz > 0) {
        const auto K = platform::toInt32(100.0 / (multiplier * double(w.ActualDeviationKHz)));
        if (!stepK(K.value_or(0))) {
            // The list goes back to the width that still stands.
            const QSignalBlocker block(cmbdiscrim);
            cmbdiscrim->setCurrentIndex(w.DiscrimMultiplier >= 1 && w.DiscrimMultiplier <= 4
                                            ? w.DiscrimMultiplier - 1
                                            : -1);
            return;
        }
    }
    w.DiscrimMultiplier = multiplier;
}

void frmDemod::CmdKup_Click() {
    stepK(app_.w().DiscrimK + 1);
}

void frmDemod::cmdKdown_Click() {
    stepK(app_.w().DiscrimK - 1);
}

void frmDemod::cmdKreset_Click() {
    app_.main().txtDatarate_Change();
    showKLabels();
}

// ---- linear threshold and post-demodulator filter --------------------------------------------

void frmDemod::cmbLockmode_Click() {
    const int i = cmbLockmode->currentIndex();
    if (i >= 0 && i <= 3)
        app_.f().LockThresholdModeField = i * 16.0;
    app_.UpdateAllRegisterLabels();
}

namespace {

constexpr int PostDemodBoxLength = 3; // the box is acted on below 4 characters

// What the post-demodulator box takes at the demodulator clock fd (MHz): the bandwidths whose
// filter code fits its ten bits.
QString postDemodAccepts(float fd) {
    const QString box = QStringLiteral("Desired BW(3dB) in kHz of at most 3 characters: ");
    if (!(fd > 0) || !std::isfinite(fd))
        return box + QStringLiteral("none without a demodulator clock");
    const auto fits = [fd](double bw) {
        const auto code = evalkit::calc::postDemodCodeForBandwidth(bw, fd);
        return code && *code <= MaxTenBitCode;
    };
    const auto range = evalkit::calc::takenRange(fits, 0, 999, PostDemodBoxLength);
    if (!range)
        return box + QStringLiteral("none at this demodulator clock");
    return box + QStringLiteral("a number ") + evalkit::calc::rangeText(*range) +
           QStringLiteral(" at this demodulator clock");
}

} // namespace

void frmDemod::txtDemodBW_Change() {
    // Only 1 to 3 characters of a number of 0 or more are acted on; the rest changes nothing
    // and the box says what it takes. A bandwidth whose code does not fit its field also has
    // its message, when the entry is committed.
    const QString text = txtDemodBW->text();
    const float fd = app_.w().DemodClockMHz;
    const auto bw = text.isEmpty() || text.size() > PostDemodBoxLength
                        ? std::nullopt
                        : platform::textToNumber(text);
    const auto code =
        bw && *bw >= 0 && fd > 0 ? evalkit::calc::postDemodCodeForBandwidth(*bw, fd) : std::nullopt;
    if (!code || *code > MaxTenBitCode) {
        std::vector<platform::Message> limit;
        if (code)
            limit.push_back({PostDemodLimitText, platform::MsgIcon::Exclamation, std::nullopt});
        app_.entries().refuse(txtDemodBW, postDemodAccepts(fd), limit);
        return;
    }
    app_.entries().accept(txtDemodBW);
    const double actual = evalkit::calc::postDemodBandwidthKHz(*code, fd);
    const QString shown = platform::formatNumber(actual, u"#0.0000");
    lblDemodBW->setText(shown + QStringLiteral("kHz"));
    app_.main().lblDemodBW->setText(shown);
    app_.f().PostDemodBwField = *code * bit(20);
    lblDemodBW_disp->setText(QStringLiteral("R4_DB(20:29) = ") + platform::numberText(*code));
    app_.UpdateAllRegisterLabels();
}

void frmDemod::showPostDemod() {
    const QString caption = app_.main().lblDemodBW->text();
    txtDemodBW->setText(caption);
    // The box shows the bandwidth in force, to four decimals: no entry to refuse.
    app_.entries().accept(txtDemodBW);
    const auto v = platform::textToNumber(caption);
    lblDemodBW->setText((v ? platform::formatNumber(*v, u".0000") : caption) +
                        QStringLiteral("kHz"));
    lblDemodBW_disp->setText(QStringLiteral("R4_DB(20:29) = ") +
                             platform::numberText(app_.f().PostDemodBwField / double(bit(20))));
}

// ---- receiver clocks ---------------------------------------------------------------------

void frmDemod::showBoxes() {
    const CorvaneFields& f = app_.f();
    // A demodulator divider field of 0 is the divide by 4 the chip applies, and is shown so.
    showDividerBoxes(f.IFFilterDividerField / bit(5), bbOffsetDivider(f.BbOffsetDividerField),
                     demodDivider(f.DemodClockDividerField),
                     f.CdrClockDividerField / double(bit(10)),
                     f.SeqClockDividerField / double(bit(18)));
}

void frmDemod::showClocks() {
    const CorvaneFields& f = app_.f();
    const double crystalMHz = app_.w().CrystalFrequencyMHz;
    const double crystalKHz = platform::toSingle(crystalMHz * 1000.0);
    const double demod = demodDivider(f.DemodClockDividerField);
    const double cdr = f.CdrClockDividerField / double(bit(10));
    lblIFfilterclk->setText(clockText(crystalKHz, f.IFFilterDividerField / bit(5), kHz));
    lblBBoffsetclk->setText(clockText(crystalMHz, bbOffsetDivider(f.BbOffsetDividerField), MHz));
    lblDemodclk->setText(clockText(crystalMHz, demod, MHz));
    lblCDRclk->setText(clockText(crystalKHz, cdr * demod, kHz));
    lblSeqclk->setText(clockText(crystalKHz, f.SeqClockDividerField / double(bit(18)), kHz));
}

// After a refused divider entry: a number outside the range has had its message and the box
// shows the divider that stands again; text that is not a number stays in the box, marked
// with what the box accepts, until an entry is taken.
void frmDemod::refuseDivider(QLineEdit* box, const QString& limitText) {
    if (platform::isNumeric(box->text())) {
        showBoxes();
        return;
    }
    platform::markRefused(box, limitText);
}

void frmDemod::txtIFFilter_LostFocus() {
    const auto n =
        dividerEntry(txtIFFilter->text(), 1, MaxIFFilterDivider, IFFilterLimitText, app_);
    if (!n) {
        refuseDivider(txtIFFilter, IFFilterLimitText);
        return;
    }
    app_.f().IFFilterDividerField = double(*n) * bit(5);
    Form_Load();
}

void frmDemod::txtBBOffset_LostFocus() {
    const auto n = dividerEntry(txtBBOffset->text(), 0, MaxBBOffsetEntry, BBOffsetLimitText, app_);
    if (!n) {
        refuseDivider(txtBBOffset, BBOffsetLimitText);
        return;
    }
    // Entries 8, 16, 24 give codes 1, 2, 3; up to 4 gives code 0 (a divide by 4).
    app_.f().BbOffsetDividerField = evalkit::calc::bbOffsetCodeOfEntry(*n) * bit(4);
    Form_Load();
}

void frmDemod::txtDemod_LostFocus() {
    CorvaneFields& f = app_.f();
    CorvaneWorking& w = app_.w();
    const auto d = dividerEntry(txtDemod->text(), 1, MaxDemodDivider, DemodLimitText, app_);
    if (!d) {
        refuseDivider(txtDemod, DemodLimitText);
        return;
    }
    // The new clock, the discriminator codes it gives (the load's for K, then this entry's
    // own) and the clock recovery are one plan: a code beyond the ten bits refuses the entry
    // before anything of it is stored.
    const float fd = platform::toSingle(double(w.CrystalFrequencyMHz) / *d);
    std::optional<int32_t> code;
    if (w.ActualDeviationKHz > 0) {
        const auto loaded = calc::discrimBandwidthCode(w.DiscrimK, fd);
        code = platform::toInt32(fd * 1000.0 / (double(w.ActualDeviationKHz) * 4));
        if (!loaded || *loaded < 0 || *loaded > MaxTenBitCode || !code || *code < 0 ||
            *code > MaxTenBitCode) {
            app_.messages().message(DiscrimLimitText);
            showBoxes();
            return;
        }
    }
    w.DemodClockMHz = fd;
    f.DemodClockDividerField = static_cast<int16_t>(*d == DemodDividerOfCodeZero ? 0 : *d * bit(6));
    // The clock recovery divides the new demodulator clock. A CDR box without a usable entry
    // gets the stored divider back first.
    if (!evalkit::calc::dividerEntry(txtCDR->text(), 0, MaxCdrDivider, CDRLimitText).value)
        showBoxes();
    txtCDR_LostFocus();
    if (code)
        f.DiscrimBwField = *code * bit(10);
    // The centre frequency is where the new code shows.
    if (!linearOnFrontPanel())
        showCentreFrequency();
    app_.UpdateAllRegisterLabels();
}

std::optional<int32_t> frmDemod::cdrEntry() {
    const auto c = dividerEntry(txtCDR->text(), 0, MaxCdrDivider, CDRLimitText, app_);
    if (c && *c == 0)
        return 1; // no divide at all
    return c;
}

void frmDemod::storeCdr(int32_t c) {
    app_.f().CdrClockDividerField = c * bit(10);
    app_.w().CdrClockKHz = platform::toSingle(app_.w().DemodClockMHz * 1000.0 / c);
}

void frmDemod::txtCDR_LostFocus() {
    const auto c = cdrEntry();
    if (!c) {
        refuseDivider(txtCDR, CDRLimitText);
        return;
    }
    storeCdr(*c);
    Form_Load();
}

// The clocks the data-rate plan would choose for the front panel's rate, deviation and
// crystal; the discriminator, filter and threshold settings made here stay.
void frmDemod::cmdautoClock_Click() {
    Main& m = app_.main();
    const calc::DataRatePlan p = m.planDataRate();
    if (!p.ran)
        return;
    app_.show(p.messages);
    m.applyClockDividers(p);
    Form_Load();
}

void frmDemod::returnToPanel_Click() {
    evalkit::dialog::returnToFrontPanel(*this, app_);
}

} // namespace corvane
