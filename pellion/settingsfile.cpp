#include "pellion/settingsfile.h"

#include "evalkit/calc/gaussian.h"
#include "evalkit/fieldref.h"
#include "evalkit/frmpowerdown.h"
#include "evalkit/frmswd.h"
#include "evalkit/profilekeys.h"
#include "evalkit/settingsfile.h"
#include "pellion/calc/deviation.h"
#include "pellion/descriptions.h"
#include "pellion/main_window.h"
#include "pellion/pellionapp.h"
#include "pellion/statuscaptions.h"
#include "pellion/synthform.h"
#include "platform/core/numbers.h"
#include "platform/core/profile.h"
#include "platform/entrymark.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>

namespace pellion {

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

namespace keys {
constexpr Key Version{u"File", u"Version"};
constexpr Key Path{u"File", u"path"};
constexpr Key Chip{u"Phy", u"Chip"};
constexpr Key Modulation{u"Phy", u"Modulation"};
constexpr Key BaudRate{u"Phy", u"BaudRate"};
constexpr Key Frequency{u"Tx", u"Frequency"};
constexpr Key Int{u"Tx", u"INT"};
constexpr Key Frac{u"Tx", u"FRAC"};
constexpr Key PALevel{u"Tx", u"PALevel"};
constexpr Key Deviation{u"Phy", u"Deviation_kHz"};
constexpr Key IndexCounter{u"Phy", u"INDEX_COUNTER"};
constexpr Key DividerFactor{u"Phy", u"DIVIDER_FACTOR"};
constexpr Key ModControl{u"Phy", u"GFSK_MOD_CONTROL"};
constexpr Key PALevelLow{u"Tx", u"PALevelLow"};
constexpr Key IfBandwidth{u"Rx", u"IF_BW"};
constexpr Key MixerLinearity{u"Rx", u"MIXER_LINEARITY"};
constexpr Key LnaMode{u"Rx", u"LNA_MODE"};
constexpr Key CrystalFreq{u"PLL", u"CrystalFreq"};
constexpr Key IcpIndex{u"PLL", u"IcpIndex"};
constexpr Key RefDivider{u"PLL", u"RefDivider"};
constexpr Key VcoBand{u"VCO", u"VCOBand"};
constexpr Key VcoDivider{u"VCO", u"VCODivider"};
constexpr Key Lext{u"VCO", u"Lext"};
constexpr Key VcoBias{u"VCO", u"VCOBias"};
constexpr Key SyncDetect{u"Sync", u"SyncDetect"};
constexpr Key SyncWord{u"Sync", u"SyncWord"};
constexpr Key WordLength{u"Sync", u"Wordlength"};
constexpr Key NumErrors{u"Sync", u"NumErrors"};
} // namespace keys

// The schemes by their list index; the file names them as the list does, case and all.
enum Scheme { Fsk, Gfsk, Ask, Ook, Gook };
constexpr std::array<const char16_t*, 5> SchemeNames{u"FSK", u"GFSK", u"ASK", u"OOK", u"GOOK"};

bool gaussian(int scheme) {
    return scheme == Gfsk || scheme == Gook;
}
// The schemes whose PA level is set with the FSK scroll bar; the others use the ASK one.
bool fskPower(int scheme) {
    return scheme == Fsk || scheme == Gfsk;
}

// Limits of the boxes and fields the import fills, so that a value goes in only where its
// control takes it (and shows none of its own messages).
constexpr int MaxLevel = 63;   // the PA scroll bars
constexpr int MaxRDivider = 7; // R1 bits 6..4
constexpr double MaxDeviationKHz = 500;
constexpr int MaxDeviationText = 6;      // the deviation box acts below 7 characters
constexpr qsizetype MaxTextLength = 255; // a text key reads into 256 characters
// The Gaussian window, which the modulation handler runs next, takes a divider below 1 as 1
// and one above 127 as 127.
constexpr int MinDivider = evalkit::calc::MinGaussianDivider;
constexpr int MaxDivider = evalkit::calc::MaxGaussianDivider;
// How far the channel the synthesizer plans may lie from the RF entry: half a step of the
// fraction (a quarter with the divide-by-2), with room for single precision.
constexpr double RfStepsPerPfd = 1 << 14;

// ---- reading: every value is checked before the first control changes ------------------

// What the import will set; nullopt leaves a control as it is.
struct ImportPlan {
    std::optional<bool> externalInductor;
    std::optional<QString> rf;
    std::optional<QString> crystal;
    std::optional<int> refDivider; // 0: the PFD is the crystal
    std::optional<int> icp;
    std::optional<bool> divideBy2;
    std::optional<int> vcoBand;
    std::optional<int> vcoBias; // nothing for 0: the bias the inductor chose stays
    std::optional<int> scheme;  // list index
    std::optional<double> deviation;
    std::optional<int> paLevel;
    std::optional<int> paLevelLow;
    std::optional<int> indexCounter;
    std::optional<int> divider;
    std::optional<int> modControl;
    std::optional<double> rate; // kbit/s
    std::optional<int> ifBandwidth;
    std::optional<int> mixerLinearity;
    std::optional<int> lnaMode;
    evalkit::SyncWordPlan sync;
};

void planSynthesizer(KeyReader& r, ImportPlan& p) {
    if (const std::optional<int> lext = r.inRange(keys::Lext, 0, 1))
        p.externalInductor = *lext == 1;
    p.rf = r.numberText(keys::Frequency, MaxTextLength);
    p.crystal = r.numberText(keys::CrystalFreq, MaxTextLength);
    // 0 (or missing): the PFD is the crystal frequency; a divider the reference divider's
    // field cannot hold is left out (the PFD box keeps its text).
    p.refDivider = r.inRange(keys::RefDivider, 0, MaxRDivider);
    p.icp = r.index(keys::IcpIndex, 4);
    // The exporter writes "True" or "False"; as a number (the other tool's files), non-zero is
    // on.
    const std::optional<QString> div2 = r.text(keys::VcoDivider);
    if (div2 && div2->compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        p.divideBy2 = true;
    else if (div2 && div2->compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        p.divideBy2 = false;
    else if (const std::optional<int> v = r.integer(keys::VcoDivider))
        p.divideBy2 = *v != 0;
    p.vcoBand = r.inRange(keys::VcoBand, 0, 3);
    // 0 (or missing) keeps the bias the inductor check box chose.
    if (const std::optional<int> bias = r.integer(keys::VcoBias); bias && *bias != 0)
        p.vcoBias = r.inRange(keys::VcoBias, 0, 15);
}

void planModulation(KeyReader& r, ImportPlan& p) {
    // Any other scheme name, or none, leaves the scheme and its settings as they are.
    p.scheme = r.nameIndex(keys::Modulation, SchemeNames);
    if (!p.scheme)
        return;
    switch (*p.scheme) {
    case Fsk:
        p.deviation = r.number<double>(keys::Deviation, [](double v) -> std::optional<double> {
            // Whether its count fits the field at the PFD is known only once the synthesizer
            // has run.
            if (!evalkit::roundedText(v, 3, 0, MaxDeviationKHz, MaxDeviationText))
                return std::nullopt;
            return platform::roundDecimals(v, 3);
        });
        break;
    case Gfsk:
    case Gook:
        p.indexCounter = r.inRange(keys::IndexCounter, 0, 3);
        if (const std::optional<int> d = r.integer(keys::DividerFactor))
            p.divider = std::clamp(*d, MinDivider, MaxDivider);
        p.modControl = r.inRange(keys::ModControl, 0, 7);
        break;
    case Ask:
        p.paLevelLow = r.inRange(keys::PALevelLow, 0, MaxLevel);
        break;
    default:
        break;
    }
    p.paLevel = r.inRange(keys::PALevel, 0, MaxLevel);
}

void planReceiver(KeyReader& r, ImportPlan& p) {
    // The rate is taken as the file holds it (whether the plan can use it at the crystal the
    // synthesizer ends up with is checked when it is applied).
    p.rate = r.number<double>(keys::BaudRate, [](double v) -> std::optional<double> {
        const double kbps = v / 1000;
        if (!std::isfinite(kbps))
            return std::nullopt;
        return kbps;
    });
    p.ifBandwidth = r.index(keys::IfBandwidth, 3);
    p.mixerLinearity = r.index(keys::MixerLinearity, 2);
    p.lnaMode = r.inRange(keys::LnaMode, 0, 1);
}

void planSync(KeyReader& r, ImportPlan& p) {
    evalkit::SyncWordPlan& s = p.sync;
    s.detect = r.index(keys::SyncDetect, 3);
    // "0x" and at most the 24 bits of the field, as the window's box takes it.
    if (const std::optional<QString> word = r.text(keys::SyncWord)) {
        if (evalkit::frmSWD::syncWord(*word, swdDescription()))
            s.word = *word;
        else
            r.skip(keys::SyncWord);
    }
    s.length = r.index(keys::WordLength, 4);
    s.errors = r.inRange(keys::NumErrors, 0, 3);
}

// ---- applying the plan, in the order the handlers rely on ------------------------------

// Each control set here runs its handler also when it already shows the value: the field it
// stands for may have been changed meanwhile by another window (the lock code by the
// demodulator window, the VCO bias by the inductor check box), and must hold what the control
// shows.

void applySynthesizer(PellionApp& app, KeyReader& r, const ImportPlan& p) {
    Main& m = app.main();
    if (p.externalInductor)
        m.chkInductor->setChecked(*p.externalInductor);
    synthform& s = app.synthform();
    const evalkit::SynthesizerImport check{keys::Frequency,      keys::CrystalFreq,
                                           keys::RefDivider,     p.refDivider.value_or(0) != 0,
                                           s.txtVCOout1->text(), s.txtpfd1->text(),
                                           s.TxtCrystal1->text()};
    if (p.rf)
        s.txtVCOout1->setText(*p.rf);
    if (p.crystal)
        s.TxtCrystal1->setText(*p.crystal);
    const QString crystal = s.TxtCrystal1->text();
    if (p.refDivider == 0)
        s.txtpfd1->setText(crystal);
    else if (const std::optional<double> c = platform::textToNumber(crystal); c && p.refDivider)
        s.txtpfd1->setText(numberText(*c / *p.refDivider));
    setIndex(m.Chgpumpvalue, p.icp, [&m] { m.Chgpumpvalue_Click(); });
    if (p.divideBy2) {
        s.lblVCOdiv2->setOn(*p.divideBy2);
        s.lblVCOdiv2_Change();
    }
    evalkit::frmPowerdown& bias = app.frmPowerdown();
    setValue(bias.HScrVCOAdjust, p.vcoBand, [&bias] { bias.HScrVCOAdjust_Change(); });
    setValue(bias.HScrVCObias, p.vcoBias, [&bias] { bias.HScrVCObias_Change(); });
    const evalkit::SynthEntryBoxes boxes{s.txtVCOout1, s.txtpfd1, s.TxtCrystal1};
    const evalkit::SynthesizerValues given = evalkit::synthesizerEntries(boxes);
    s.CmdCalculate_Click();
    const PellionWorking& w = app.w();
    evalkit::checkSynthesizerImport(r, check, boxes, given,
                                    {w.RfFrequencyMHz, w.PfdFrequencyMHz, w.CrystalFrequencyMHz},
                                    given.pfdMHz / RfStepsPerPfd);
}

void setGaussianFields(PellionApp& app, const ImportPlan& p) {
    PellionFields& f = app.f();
    if (p.indexCounter)
        f.GfskIndexCounterField = *p.indexCounter * bit(27);
    if (p.divider)
        f.TxDeviationField = *p.divider * bit(15);
    if (p.modControl)
        f.GfskModControlField = *p.modControl * bit(24);
}

void applyModulation(PellionApp& app, KeyReader& r, const ImportPlan& p) {
    if (!p.scheme)
        return;
    Main& m = app.main();
    const int scheme = *p.scheme;
    if (scheme == Fsk && p.deviation) {
        // A count that does not fit the field at this PFD is left out like any other value
        // the box refuses.
        const QString text = numberText(*p.deviation);
        if (m.takesDeviation(text))
            setText(m.TxtFSKdev, text, [&m] { m.TxtFSKdev_Change(); });
        else
            r.skip(keys::Deviation);
    }
    // The modulation handler runs the Gaussian window's calculation from these fields.
    if (gaussian(scheme))
        setGaussianFields(app, p);
    if (scheme == Fsk)
        setValue(m.HScroll2, p.paLevel, [&m] { m.HScroll2_Change(); });
    setIndex(m.cmbModulation, scheme, [&m] { m.cmbModulation_Click(); });
    if (scheme == Ask)
        setValue(m.HScrollOOKfine1, p.paLevelLow, [&m] { m.HScrollOOKfine1_Change(); });
    if (scheme == Gfsk)
        setValue(m.HScroll2, p.paLevel, [&m] { m.HScroll2_Change(); });
    if (!fskPower(scheme))
        setValue(m.HScrollASKFine1, p.paLevel, [&m] { m.HScrollASKFine1_Change(); });
}

void applyReceiver(PellionApp& app, KeyReader& r, const ImportPlan& p) {
    Main& m = app.main();
    if (p.rate) {
        // The plan takes the rate as the file holds it, however many characters it has; one
        // the plan refuses at this crystal is left out like any other value the box refuses.
        if (m.takesDataRate(*p.rate))
            m.setDataRateFromCode(numberText(*p.rate), *p.rate);
        else
            r.skip(keys::BaudRate);
    }
    setIndex(m.cmbIFBW, p.ifBandwidth, [&m] { m.cmbIFBW_Click(); });
    // The bias window's list shows the mixer linearity as the field holds it, so the next save
    // writes what was loaded.
    if (p.mixerLinearity) {
        app.f().MixerLinearityField = *p.mixerLinearity * bit(18);
        evalkit::frmPowerdown& bias = app.frmPowerdown();
        setIndex(bias.cmbMixerLinearity, p.mixerLinearity,
                 [&bias] { bias.cmbMixerLinearity_Change(); });
    }
    if (p.lnaMode)
        app.f().LnaModeField = *p.lnaMode * bit(15);
}

void applySync(PellionApp& app, const ImportPlan& p) {
    evalkit::frmSWD& swd = app.frmSWD();
    const evalkit::SyncWordPlan& s = p.sync;
    setIndex(swd.cmbInterupt, s.detect, [&swd] { swd.cmbInterupt_Click(); });
    setText(swd.txtPreamble, s.word, [&swd] { swd.txtPreamble_Change(); });
    setIndex(swd.cmbPreamble, s.length, [&swd] { swd.cmbPreamble_Click(); });
    setNumber(swd.txtErrors, s.errors, [&swd] { swd.txtErrors_Change(); });
}

// The front panel's handlers know an import is running while this lives.
class SettingsLoading {
public:
    explicit SettingsLoading(PellionWorking& w) : w_(w) { w_.SettingsLoaded = -1; }
    ~SettingsLoading() { w_.SettingsLoaded = 0; }
    SettingsLoading(const SettingsLoading&) = delete;
    SettingsLoading& operator=(const SettingsLoading&) = delete;

private:
    PellionWorking& w_;
};

// The code a field holds, by its name in the field table.
std::optional<int> codeOf(PellionApp& app, const char* field) {
    return evalkit::FieldRef(app.store(), field).code();
}

} // namespace

void ExportSettings(PellionApp& app, const QString& path) {
    Main& m = app.main();
    // A rate the box refused is not in force: the rate the plan last took is.
    const QString rateText = platform::textInForce(m.txtDatarate);
    const std::optional<double> rate = evalkit::rateToExport(app, path, rateText);
    if (!rate)
        return;
    const PellionFields& f = app.f();
    const PellionWorking& w = app.w();
    // The windows are loaded unseen when they are not open, and stay so, as an import leaves
    // them; what a window shows that its field no longer holds is written as the field holds it.
    synthform& s = app.synthform();
    evalkit::frmPowerdown& bias = app.frmPowerdown();
    evalkit::frmSWD& swd = app.frmSWD();
    const QString rf =
        evalkit::frequencyInForce(s.txtVCOout1, w.RfFrequencyMHz, w.PfdFrequencyMHz / RfStepsPerPfd,
                                  platform::formatSingle(w.RfFrequencyMHz, u".000000"));
    const QString crystal =
        evalkit::frequencyInForce(s.TxtCrystal1, w.CrystalFrequencyMHz, 5e-6,
                                  platform::formatSingle(w.CrystalFrequencyMHz, u".000000"));
    const std::optional<int> syncWordCode = codeOf(app, "SyncWordField");
    QString syncWord = platform::textInForce(swd.txtPreamble);
    if (syncWordCode && evalkit::frmSWD::syncWord(syncWord, swdDescription()) !=
                            std::optional<uint32_t>(uint32_t(*syncWordCode)))
        syncWord = QStringLiteral("0x") + platform::hexText(*syncWordCode);

    evalkit::exportSettings(app, path, [&](const evalkit::KeyWriter& write) {
        // 1, 2.
        write(keys::Version, QStringLiteral("1"));
        write(keys::Path, path);
        const bool external = m.chkInductor->isChecked();
        write(keys::Chip, external ? QStringLiteral("Pellion-1") : QStringLiteral("Pellion"));
        const QString scheme = m.cmbModulation->currentText();
        write(keys::Modulation, scheme);
        // 3, 4. The dividers the chip is programmed with, not the working values the synthesizer
        // window resets when it is loaded.
        write(keys::BaudRate, numberText(*rate * 1000));
        write(keys::Frequency, rf);
        write(keys::Int, numberText(f.IntegerNField / double(bit(19))));
        write(keys::Frac, numberText(f.FracNField / double(bit(4))));
        // 5. Each scheme writes its own keys; those of other schemes that the file holds stay.
        const auto gaussianKeys = [&] {
            write(keys::IndexCounter, numberText(f.GfskIndexCounterField / double(bit(27))));
            write(keys::DividerFactor, numberText(f.TxDeviationField / double(bit(15))));
            write(keys::ModControl, numberText(f.GfskModControlField / double(bit(24))));
        };
        if (scheme == QStringLiteral("FSK")) {
            write(keys::PALevel, valueText(m.HScroll2));
            write(keys::Deviation, platform::textInForce(m.TxtFSKdev));
        } else if (scheme == QStringLiteral("GFSK")) {
            write(keys::PALevel, valueText(m.HScroll2));
            write(keys::Deviation, m.Lblfskdev->text());
            gaussianKeys();
        } else if (scheme == QStringLiteral("ASK")) {
            write(keys::PALevel, valueText(m.HScrollASKFine1));
            write(keys::PALevelLow, valueText(m.HScrollOOKfine1));
        } else if (scheme == QStringLiteral("OOK")) {
            write(keys::PALevel, valueText(m.HScrollASKFine1));
        } else if (scheme == QStringLiteral("GOOK")) {
            write(keys::PALevel, valueText(m.HScrollASKFine1));
            gaussianKeys();
        }
        // 6.
        write(keys::IfBandwidth, indexText(m.cmbIFBW));
        write(keys::MixerLinearity,
              evalkit::indexInForce(bias.cmbMixerLinearity, codeOf(app, "MixerLinearityField")));
        write(keys::LnaMode, numberText(f.LnaModeField / double(bit(15))));
        // 7.
        write(keys::CrystalFreq, crystal);
        write(keys::IcpIndex, indexText(m.Chgpumpvalue));
        write(keys::RefDivider, numberText(w.RDivider));
        // 8.
        write(keys::VcoBand,
              evalkit::valueInForce(bias.HScrVCOAdjust, codeOf(app, "VcoAdjustField")));
        write(keys::VcoDivider,
              f.VcoDiv2Field != 0 ? QStringLiteral("True") : QStringLiteral("False"));
        write(keys::Lext, external ? QStringLiteral("1") : QStringLiteral("0"));
        write(keys::VcoBias, evalkit::valueInForce(bias.HScrVCObias, codeOf(app, "VcoBiasField")));
        // 9.
        write(keys::SyncDetect,
              evalkit::indexInForce(swd.cmbInterupt,
                                    swdDescription().modeValues.indexOf(f.LockThresholdModeField)));
        write(keys::SyncWord, syncWord);
        write(keys::WordLength,
              evalkit::indexInForce(swd.cmbPreamble, codeOf(app, "SyncWordLengthField")));
        write(keys::NumErrors,
              evalkit::numberInForce(swd.txtErrors, codeOf(app, "SyncErrorsField").value_or(0)));
    });
}

void ImportSettings(PellionApp& app, const QString& path) {
    // 1. There is no check of the chip: both variants read the same file.
    evalkit::importSettings(app, path, [&app](KeyReader& r) {
        // Every value is checked before the first control changes.
        ImportPlan plan;
        planSynthesizer(r, plan);
        planModulation(r, plan);
        planReceiver(r, plan);
        planSync(r, plan);

        // 2 - 16. The controls' own handlers store the fields, as the user's edits would; nothing
        // goes to the board.
        const SettingsLoading loading(app.w());
        applySynthesizer(app, r, plan);
        applyModulation(app, r, plan);
        applyReceiver(app, r, plan);
        applySync(app, plan);
        app.UpdateAllRegisterLabels();
        showStatusCaptions(app);
    });
}

} // namespace pellion
