#include "corvane/settingsfile.h"

#include "corvane/corvaneapp.h"
#include "corvane/descriptions.h"
#include "corvane/frmifcal.h"
#include "corvane/main_window.h"
#include "corvane/statuscaptions.h"
#include "corvane/synthform.h"
#include "corvane/windows.h"
#include "evalkit/fieldref.h"
#include "evalkit/profilekeys.h"
#include "evalkit/settingsfile.h"
#include "platform/core/numbers.h"
#include "platform/core/profile.h"
#include "platform/entrymark.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <array>
#include <cmath>
#include <optional>

namespace corvane {

namespace {

using evalkit::indexText;
using evalkit::Key;
using evalkit::KeyReader;
using evalkit::setIndex;
using evalkit::setNumber;
using evalkit::setText;
using evalkit::setValue;
using evalkit::valueText;
using platform::numberText;

using platform::bit;

constexpr int32_t DivideBy2On = bit(18);
constexpr int32_t AfcOn = bit(4);

namespace keys {
constexpr Key Version{u"File", u"Version"};
constexpr Key Path{u"File", u"path"};
constexpr Key Chip{u"Phy", u"Chip"};
constexpr Key Lext{u"VCO", u"Lext"};
constexpr Key Modulation{u"Phy", u"Modulation"};
constexpr Key BaudRate{u"Phy", u"BaudRate"};
constexpr Key Mode{u"Phy", u"Mode"};
constexpr Key Frequency{u"Tx", u"Frequency"};
constexpr Key Int{u"Tx", u"INT"};
constexpr Key Frac{u"Tx", u"FRAC"};
constexpr Key PALevel{u"Tx", u"PALevel"};
constexpr Key Deviation{u"Phy", u"Deviation_kHz"};
constexpr Key PABias{u"Phy", u"PABias"};
constexpr Key IfBandwidth{u"Rx", u"IF_BW"};
constexpr Key MixerLinearity{u"Rx", u"MIXER_LINEARITY"};
constexpr Key LnaMode{u"Rx", u"LNA_MODE"};
constexpr Key Demod{u"Rx", u"Demod"};
constexpr Key CrystalFreq{u"PLL", u"CrystalFreq"};
constexpr Key IcpIndex{u"PLL", u"IcpIndex"};
constexpr Key RefDivider{u"PLL", u"RefDivider"};
constexpr Key VcoBand{u"VCO", u"VCOBand"};
constexpr Key VcoDivider{u"VCO", u"VCODivider"};
constexpr Key VcoBias{u"VCO", u"VCOBias"};
constexpr Key SyncDetect{u"Sync", u"SyncDetect"};
constexpr Key SyncWord{u"Sync", u"SyncWord"};
constexpr Key WordLength{u"Sync", u"Wordlength"};
constexpr Key NumErrors{u"Sync", u"NumErrors"};
constexpr Key AfcStatus{u"AFC", u"Status"};
constexpr Key AfcKi{u"AFC", u"KI"};
constexpr Key AfcKp{u"AFC", u"KP"};
constexpr Key AfcRange{u"AFC", u"Range"};
constexpr Key Dwell{u"IF_Filter", u"Dwell"};
constexpr Key Upper{u"IF_Filter", u"Upper"};
constexpr Key Lower{u"IF_Filter", u"Lower"};
constexpr Key AgcMode{u"AGC", u"Mode"};
constexpr Key AgcLow{u"AGC", u"Low"};
constexpr Key AgcHigh{u"AGC", u"High"};
constexpr Key LnaGain{u"AGC", u"LNAGain"};
constexpr Key FilterGain{u"AGC", u"FilterGain"};
constexpr Key Alpha{u"Phy", u"Alpha"};
} // namespace keys

struct ModulationName {
    const char16_t* name;
    int index;
    bool singleDeviation; // this branch took the deviation in single precision
};

// The names the other tool writes, and the item texts this program's own
// export writes for list indices 5 and 7, so that its files load back whole.
constexpr std::array<ModulationName, 11> ModulationNames{{{u"FSK", 0, false},
                                                          {u"2FSK", 0, false},
                                                          {u"GFSK", 1, false},
                                                          {u"3FSK", 2, false},
                                                          {u"4FSK", 3, false},
                                                          {u"Oversampled 2FSK", 4, false},
                                                          {u"RCFSK", 5, true},
                                                          {u"RC2FSK", 5, true},
                                                          {u"RC3FSK", 6, false},
                                                          {u"RC4FSK", 7, false},
                                                          {u"Raised Cosine 4FSK", 7, false}}};

const ModulationName* findModulation(const QString& name) {
    for (const ModulationName& m : ModulationNames) {
        if (name == QString::fromUtf16(m.name))
            return &m;
    }
    return nullptr;
}

bool isRaisedCosine(int modulationIndex) {
    return modulationIndex >= 5 && modulationIndex <= 7;
}

// Limits of the boxes the import fills, so that a value goes in only where the
// box's own handler takes it (and shows none of its own messages).
constexpr int MaxRDivider = 7; // R1 bits 6..4
constexpr double MaxDeviationKHz = 100;
constexpr int MaxDeviationText = 5;
constexpr double MaxRateKbps = 75;
constexpr int MaxRateText = 6;
constexpr int MaxAfcRangeText = 3;
constexpr int MaxAfcRangeCode = 255;
constexpr uint32_t MaxSyncWord = 0xFFFFFF; // 24 bits of register 11
constexpr qsizetype MaxTextLength = 255;   // a text key reads into 256 characters
// How far the RF entry may lie from what the synthesizer keeps of it.
constexpr double RfToleranceMHz = 1e-9;

struct AfcPlan {
    std::optional<bool> on;
    std::optional<int> ki;
    std::optional<int> kp;
    std::optional<QString> range;
};

struct IfFilterPlan {
    std::optional<int> dwell;
    std::optional<int> upper;
    std::optional<int> lower;
};

struct AgcPlan {
    std::optional<int> mode;
    std::optional<int> low;
    std::optional<int> high;
    std::optional<int> lnaGain;
    std::optional<int> filterGain;
};

// What the import will set; nullopt leaves a control as it is.
struct ImportPlan {
    std::optional<int> lext;
    std::optional<bool> divideBy2;
    std::optional<QString> rf;
    std::optional<QString> crystal;
    std::optional<int> refDivider;
    std::optional<int> icp;
    std::optional<int> vcoBand;
    std::optional<int> vcoBias;
    std::optional<bool> transmit;
    std::optional<int> modulation;
    std::optional<QString> deviation;
    std::optional<int> paLevel;
    std::optional<QString> rate;
    std::optional<int> alpha;
    std::optional<int> paBias;
    std::optional<int> ifBandwidth;
    std::optional<int> mixerLinearity;
    std::optional<int> demod;
    std::optional<evalkit::SyncWordPlan> sync;
    std::optional<AfcPlan> afc;
    std::optional<IfFilterPlan> ifFilter;
    std::optional<AgcPlan> agc;
};

void planSynthesizer(KeyReader& r, ImportPlan& p) {
    p.lext = r.index(keys::Lext, 2);
    // The toggle is set to the number less 1: it is on for any number but 1.
    p.divideBy2 =
        r.number<bool>(keys::VcoDivider, [](double v) -> std::optional<bool> { return v != 1; });
    p.rf = r.numberText(keys::Frequency, MaxTextLength);
    // Read whole: cut to the design's buffer of 8, a crystal of 12.3456789 would come back as
    // 12.3456.
    p.crystal = r.numberText(keys::CrystalFreq, MaxTextLength);
    // 0 (or missing): the PFD is the crystal frequency; a divider the reference divider's
    // field cannot hold is left out (the PFD box keeps its text).
    p.refDivider = r.inRange(keys::RefDivider, 0, MaxRDivider);
    p.icp = r.index(keys::IcpIndex, 4);
    p.vcoBand = r.inRange(keys::VcoBand, 0, 3);
    // 0 (or missing) keeps the bias the VCO list chose.
    if (const std::optional<int> bias = r.integer(keys::VcoBias); bias && *bias != 0)
        p.vcoBias = r.inRange(keys::VcoBias, 0, 15);
    // Any other mode sets neither option.
    if (const std::optional<QString> mode = r.text(keys::Mode)) {
        if (*mode == QStringLiteral("Tx") || *mode == QStringLiteral("Rx"))
            p.transmit = *mode == QStringLiteral("Tx");
    }
}

void planModulation(KeyReader& r, ImportPlan& p, int currentModulation) {
    // A name the table does not hold leaves the modulation, its deviation and PA level alone.
    const std::optional<QString> name = r.text(keys::Modulation);
    if (const ModulationName* m = name ? findModulation(*name) : nullptr) {
        p.modulation = m->index;
        const bool single = m->singleDeviation;
        // The file holds the deviation reached ("24.9243"), which to three decimals is too
        // long for the box: fewer decimals give the box a text it takes, and the same count
        // (a step of the count is far more than the last decimal dropped).
        p.deviation = r.number<QString>(keys::Deviation, [single](double v) {
            const double kHz = single ? double(platform::toSingle(v)) : v;
            std::optional<QString> text;
            for (int places = 3; places >= 0 && !text; --places)
                text = evalkit::roundedText(kHz, places, 0, MaxDeviationKHz, MaxDeviationText);
            return text;
        });
        p.paLevel = r.inRange(keys::PALevel, 0, 63);
    }
    p.rate = r.number<QString>(keys::BaudRate, [](double v) -> std::optional<QString> {
        const std::optional<QString> text =
            evalkit::roundedText(v / 1000, 3, 0, MaxRateKbps, MaxRateText);
        if (text && *text == QStringLiteral("0"))
            return std::nullopt; // the box takes no rate of 0
        return text;
    });
    if (isRaisedCosine(p.modulation.value_or(currentModulation))) {
        // 0.5 and 0.7 choose the alpha; any other number leaves the list as it is.
        const std::optional<int> alpha = r.number<int>(keys::Alpha, [](double v) {
            return v == 0.5 ? 0 : v == 0.7 ? 1 : -1;
        });
        if (alpha && *alpha >= 0)
            p.alpha = alpha;
    }
}

void planReceiver(KeyReader& r, ImportPlan& p) {
    p.paBias = r.inRange(keys::PABias, 0, 3);
    p.ifBandwidth = r.index(keys::IfBandwidth, 3);
    p.mixerLinearity = r.index(keys::MixerLinearity, 2);
    p.demod = r.index(keys::Demod, 4);
}

void planSync(KeyReader& r, ImportPlan& p) {
    const std::optional<int> detect = r.integer(keys::SyncDetect);
    if (!detect || *detect == 0)
        return; // sync-word detection off: the sync-word window is not touched
    evalkit::SyncWordPlan s;
    s.detect = r.index(keys::SyncDetect, 4);
    // The word less its first two characters (the "0x"), as the window's box takes it.
    if (const std::optional<QString> word = r.text(keys::SyncWord)) {
        const QString digits = word->mid(2);
        const std::optional<uint32_t> v =
            digits.isEmpty() ? std::optional<uint32_t>(0) : platform::hexToU32(digits);
        if (word->size() >= 2 && v && *v <= MaxSyncWord)
            s.word = digits;
        else
            r.skip(keys::SyncWord);
    }
    s.length = r.index(keys::WordLength, 4);
    s.errors = r.inRange(keys::NumErrors, 0, 3);
    p.sync = s;
}

void planAfc(KeyReader& r, ImportPlan& p) {
    const std::optional<QString> status = r.text(keys::AfcStatus);
    if (!status)
        return;
    AfcPlan a;
    if (status->compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        a.on = true;
    else if (status->compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        a.on = false;
    else
        r.skip(keys::AfcStatus);
    a.ki = r.index(keys::AfcKi, 16);
    a.kp = r.index(keys::AfcKp, 8);
    // The range is typed in steps of 0.5 kHz and saved as typed: read as a number, so that a
    // half step comes back.
    if (r.text(keys::AfcRange)) {
        a.range = r.number<QString>(keys::AfcRange, [](double v) -> std::optional<QString> {
            const QString text = numberText(v);
            const std::optional<int32_t> code = platform::toInt32(v / 0.5);
            if (v < 0 || text.size() > MaxAfcRangeText || !code || *code > MaxAfcRangeCode)
                return std::nullopt;
            return text;
        });
    } else {
        a.range = QStringLiteral("0");
    }
    p.afc = a;
}

void planIfFilter(KeyReader& r, ImportPlan& p) {
    if (!r.text(keys::Dwell))
        return;
    p.ifFilter = IfFilterPlan{r.inRange(keys::Dwell, 0, 127), r.inRange(keys::Upper, 0, 255),
                              r.inRange(keys::Lower, 0, 255)};
}

void planAgc(KeyReader& r, ImportPlan& p) {
    if (!r.text(keys::AgcMode))
        return;
    p.agc = AgcPlan{r.index(keys::AgcMode, 3), r.inRange(keys::AgcLow, 0, 63),
                    r.inRange(keys::AgcHigh, 0, 80), r.index(keys::LnaGain, 3),
                    r.index(keys::FilterGain, 3)};
}

// ---- applying the plan, in the order the handlers rely on ---------------------

evalkit::SynthEntryBoxes synthesizerBoxes(CorvaneApp& app) {
    synthform& s = app.synthform();
    return {s.txtVCOout1, s.txtpfd1, s.TxtCrystal1};
}

void applySynthesizer(CorvaneApp& app, KeyReader& r, const ImportPlan& p) {
    Main& m = app.main();
    setIndex(m.cmbVCO, p.lext);
    if (p.divideBy2) {
        app.synthform().lblVCOdiv2->setOn(*p.divideBy2);
        app.f().VcoDiv2Field = *p.divideBy2 ? DivideBy2On : 0;
    }
    const evalkit::SynthEntryBoxes before = synthesizerBoxes(app);
    const evalkit::SynthesizerImport check{
        keys::Frequency,   keys::CrystalFreq,  keys::RefDivider,      p.refDivider.value_or(0) != 0,
        before.rf->text(), before.pfd->text(), before.crystal->text()};
    setText(before.rf, p.rf);
    setText(before.crystal, p.crystal);
    const QString crystal = before.crystal->text();
    if (p.refDivider == 0) {
        before.pfd->setText(crystal);
    } else if (const std::optional<double> c = platform::textToNumber(crystal); c && p.refDivider) {
        before.pfd->setText(numberText(*c / *p.refDivider));
    }
    const evalkit::SynthesizerValues given = evalkit::synthesizerEntries(before);
    setIndex(m.cmbIcp, p.icp);
    // The bias window stays loaded unseen from one file to the next: a bar that shows the
    // value already has its handler run all the same, since the VCO list may have changed the
    // field meanwhile.
    frmPowerdown& bias = app.frmPowerdown();
    setValue(bias.HScrVCOAdjust, p.vcoBand, [&bias] { bias.HScrVCOAdjust_Change(); });
    setValue(bias.HScrVCObias, p.vcoBias, [&bias] { bias.HScrVCObias_Change(); });
    // A new direction plans from the boxes just set, as its option does for the user (and
    // the synthesizer window goes as after that plan).
    if (p.transmit)
        (*p.transmit ? m.optTx : m.optRx)->setChecked(true);
    app.synthform().CmdCalculate_Click();
    const CorvaneWorking& w = app.w();
    evalkit::checkSynthesizerImport(r, check, synthesizerBoxes(app), given,
                                    {w.RfFrequencyMHz, w.PfdFrequencyMHz, w.CrystalFrequencyMHz},
                                    RfToleranceMHz);
}

void applyModulation(CorvaneApp& app, const ImportPlan& p) {
    Main& m = app.main();
    if (p.modulation) {
        setText(m.TxtFSKdev, p.deviation);
        setValue(m.HScroll2, p.paLevel);
        m.cmbModulation->setCurrentIndex(*p.modulation);
    }
    setText(m.txtDatarate, p.rate);
    if (isRaisedCosine(m.cmbModulation->currentIndex()))
        setIndex(m.Combo1, p.alpha);
}

void applyReceiver(CorvaneApp& app, const ImportPlan& p) {
    Main& m = app.main();
    frmPowerdown& bias = app.frmPowerdown();
    setValue(bias.HScrPABias, p.paBias, [&bias] { bias.HScrPABias_Change(); });
    setIndex(m.cmbIFBW, p.ifBandwidth);
    if (p.mixerLinearity) {
        app.f().MixerLinearityField = *p.mixerLinearity * bit(28);
        setIndex(bias.cmbMixerLinearity, p.mixerLinearity,
                 [&bias] { bias.cmbMixerLinearity_Change(); });
    }
    setIndex(m.cmbDemod, p.demod);
}

// The windows stay loaded unseen from one file to the next: a control that shows the value
// already has its handler run all the same, since another window may have changed its field
// meanwhile (the synthesizer sets the calibration tones). The front panel's status captions
// follow at the end, from the fields these set.
void applyDialogs(CorvaneApp& app, const ImportPlan& p) {
    if (p.sync) {
        frmSWD& swd = app.frmSWD();
        setIndex(swd.cmbInterupt, p.sync->detect, [&swd] { swd.cmbInterupt_Click(); });
        setText(swd.txtPreamble, p.sync->word, [&swd] { swd.txtPreamble_Change(); });
        setIndex(swd.cmbPreamble, p.sync->length, [&swd] { swd.cmbPreamble_Click(); });
        setNumber(swd.txtErrors, p.sync->errors, [&swd] { swd.txtErrors_Change(); });
        swd.txtDPL->setText(QStringLiteral("1"));
    }
    if (p.afc) {
        frmAFC& afc = app.frmAFC();
        if (p.afc->on) {
            afc.Toggle1->setOn(*p.afc->on);
            app.f().AfcEnableField = afc.Toggle1->isOn() ? AfcOn : 0;
        }
        setIndex(afc.cmbKi, p.afc->ki, [&afc] { afc.cmbKi_Click(); });
        setIndex(afc.cmbKp, p.afc->kp, [&afc] { afc.cmbKp_Click(); });
        setText(afc.txtAFCRange, p.afc->range, [&afc] { afc.txtAFCRange_Change(); });
    }
    if (p.ifFilter) {
        frmIFCal& cal = app.frmIFCal();
        setNumber(cal.Text1, p.ifFilter->dwell, [&cal] { cal.Text1_Change(); });
        setNumber(cal.Text2, p.ifFilter->upper, [&cal] { cal.Text2_Change(); });
        setNumber(cal.Text3, p.ifFilter->lower, [&cal] { cal.Text3_Change(); });
    }
    if (p.agc) {
        frmAGC& agc = app.frmAGC();
        setIndex(agc.Combo1, p.agc->mode, [&agc] { agc.Combo1_Click(); });
        setNumber(agc.Text1, p.agc->low, [&agc] { agc.Text1_Change(); });
        setNumber(agc.Text2, p.agc->high, [&agc] { agc.Text2_Change(); });
        setIndex(agc.Combo2, p.agc->lnaGain, [&agc] { agc.Combo2_Click(); });
        setIndex(agc.Combo3, p.agc->filterGain, [&agc] { agc.Combo3_Click(); });
    }
}

// The code a field holds, by its name in the field table.
std::optional<int> codeOf(CorvaneApp& app, const char* field) {
    return evalkit::FieldRef(app.store(), field).code();
}

} // namespace

void ExportSettings(CorvaneApp& app, const QString& path) {
    Main& m = app.main();
    // A rate the box refused is not in force: the rate the plan last took is.
    const QString rateText = platform::textInForce(m.txtDatarate);
    const std::optional<double> rate = evalkit::rateToExport(app, path, rateText);
    if (!rate)
        return;
    const auto& f = app.f();
    const auto& w = app.w();
    // Written as the divider the chip is programmed with, not the working
    // values the synthesizer window resets when it is loaded.
    const QString integerN = numberText(f.IntegerNField / bit(19));
    const QString fracN = numberText(f.FracNField / bit(4));
    // The windows are loaded unseen when they are not open, and stay so; what a window shows
    // that its field no longer holds (the VCO list sets the VCO bias, the synthesizer the
    // calibration tones) is written as the field holds it.
    synthform& s = app.synthform();
    const QString rf =
        evalkit::frequencyInForce(s.txtVCOout1, w.RfFrequencyMHz, RfToleranceMHz,
                                  platform::formatNumber(w.RfFrequencyMHz, u".000000"));
    const QString crystal =
        evalkit::frequencyInForce(s.TxtCrystal1, w.CrystalFrequencyMHz, 5e-6,
                                  platform::formatSingle(w.CrystalFrequencyMHz, u".000000"));
    frmPowerdown& bias = app.frmPowerdown();
    frmSWD& swd = app.frmSWD();
    QString syncWord = platform::textInForce(swd.txtPreamble);
    if (const std::optional<int> code = codeOf(app, "SyncWordField");
        code && frmSWD::syncWord(syncWord, swdDescription()) != std::optional<uint32_t>(*code))
        syncWord = platform::hexText(*code);
    frmAFC& afc = app.frmAFC();
    frmIFCal& cal = app.frmIFCal();
    frmAGC& agc = app.frmAGC();
    const evalkit::AgcDescription& agcs = agcDescription();
    const auto numberInForce = [&app](const QLineEdit* box, const char* field, double step = 1) {
        const std::optional<int> code = codeOf(app, field);
        return code ? evalkit::numberInForce(box, *code * step) : platform::textInForce(box);
    };

    evalkit::exportSettings(app, path, [&](const evalkit::KeyWriter& write) {
        write(keys::Version, QStringLiteral("1"));
        write(keys::Path, path);
        write(keys::Chip, QStringLiteral("Corvane"));
        write(keys::Lext,
              m.cmbVCO->currentIndex() == 1 ? QStringLiteral("1") : QStringLiteral("0"));
        write(keys::Modulation, m.cmbModulation->currentText());
        write(keys::BaudRate, numberText(*rate * 1000));
        write(keys::Mode, m.optRx->isChecked() ? QStringLiteral("Rx") : QStringLiteral("Tx"));
        write(keys::Frequency, rf);
        write(keys::Int, integerN);
        write(keys::Frac, fracN);
        write(keys::PALevel, valueText(m.HScroll2));
        write(keys::Deviation, m.Lblfskdev->text());
        write(keys::PABias, evalkit::valueInForce(bias.HScrPABias, codeOf(app, "PaBiasField")));
        write(keys::IfBandwidth, indexText(m.cmbIFBW));
        write(keys::MixerLinearity,
              evalkit::indexInForce(bias.cmbMixerLinearity, codeOf(app, "MixerLinearityField")));
        write(keys::LnaMode, numberText(f.LnaModeField / double(bit(15))));
        write(keys::Demod, indexText(m.cmbDemod));
        write(keys::CrystalFreq, crystal);
        write(keys::IcpIndex, indexText(m.cmbIcp));
        write(keys::RefDivider, numberText(w.RDivider));
        write(keys::VcoBand,
              evalkit::valueInForce(bias.HScrVCOAdjust, codeOf(app, "VcoAdjustField")));
        write(keys::VcoDivider, f.VcoDiv2Field != 0 ? QStringLiteral("2") : QStringLiteral("1"));
        write(keys::Lext, indexText(m.cmbVCO));
        write(keys::VcoBias, evalkit::valueInForce(bias.HScrVCObias, codeOf(app, "VcoBiasField")));
        write(keys::SyncDetect,
              evalkit::indexInForce(swd.cmbInterupt,
                                    swdDescription().modeValues.indexOf(f.SwdModeField)));
        write(keys::SyncWord, QStringLiteral("0x") + syncWord);
        write(keys::WordLength,
              evalkit::indexInForce(swd.cmbPreamble, codeOf(app, "SyncWordLengthField")));
        write(keys::NumErrors, numberInForce(swd.txtErrors, "SyncErrorsField"));
        write(keys::AfcStatus,
              f.AfcEnableField != 0 ? QStringLiteral("True") : QStringLiteral("False"));
        write(keys::AfcKi, evalkit::indexInForce(afc.cmbKi, codeOf(app, "AfcKiField")));
        write(keys::AfcKp, evalkit::indexInForce(afc.cmbKp, codeOf(app, "AfcKpField")));
        write(keys::AfcRange, numberInForce(afc.txtAFCRange, "AfcRangeField", 0.5));
        write(keys::Dwell, numberInForce(cal.Text1, "IFCalDwellTimeField"));
        write(keys::Upper, numberInForce(cal.Text2, "IFCalUpperToneField"));
        write(keys::Lower, numberInForce(cal.Text3, "IFCalLowerToneField"));
        write(keys::AgcMode,
              evalkit::indexInForce(agc.Combo1, agcs.modeValues.indexOf(f.AgcModeField)));
        write(keys::AgcLow, numberInForce(agc.Text1, agcs.lowThresholdField));
        write(keys::AgcHigh, numberInForce(agc.Text2, agcs.highThresholdField));
        write(keys::LnaGain,
              evalkit::indexInForce(agc.Combo2, agcs.lnaGainValues.indexOf(f.LnaGainField)));
        write(keys::FilterGain,
              evalkit::indexInForce(agc.Combo3, agcs.filterGainValues.indexOf(f.FilterGainField)));
        if (isRaisedCosine(m.cmbModulation->currentIndex())) {
            if (m.Combo1->currentIndex() == 0)
                write(keys::Alpha, QStringLiteral("0.5"));
            else if (m.Combo1->currentIndex() == 1)
                write(keys::Alpha, QStringLiteral("0.7"));
        }
    });
}

void ImportSettings(CorvaneApp& app, const QString& path) {
    evalkit::importSettings(app, path, [&app](KeyReader& r) {
        if (r.text(keys::Chip) != QStringLiteral("Corvane")) {
            app.messages().message(QStringLiteral("Error: Import file is not for Corvane chip"));
            return;
        }

        // Every value is checked before the first control changes.
        ImportPlan plan;
        planSynthesizer(r, plan);
        planModulation(r, plan, app.main().cmbModulation->currentIndex());
        planReceiver(r, plan);
        planSync(r, plan);
        planAfc(r, plan);
        planIfFilter(r, plan);
        planAgc(r, plan);

        // The controls' own handlers recompute the fields, as the user's edits
        // would; nothing goes to the board.
        applySynthesizer(app, r, plan);
        applyModulation(app, plan);
        applyReceiver(app, plan);
        applyDialogs(app, plan);
        app.main().TxtFSKdev_Change();
        app.main().txtDatarate_Change();
        app.UpdateAllRegisterLabels();
        showStatusCaptions(app);
    });
}

} // namespace corvane
