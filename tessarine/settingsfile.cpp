#include "tessarine/settingsfile.h"

#include "evalkit/calc/gaussian.h"
#include "evalkit/frmclockout.h"
#include "evalkit/muxform.h"
#include "evalkit/profilekeys.h"
#include "evalkit/settingsfile.h"
#include "platform/core/numbers.h"
#include "platform/core/profile.h"
#include "platform/entrymark.h"
#include "platform/selector.h"
#include "tessarine/calc/modulation.h"
#include "tessarine/frmotherfeatures.h"
#include "tessarine/frmpowerdown.h"
#include "tessarine/main_window.h"
#include "tessarine/statuscaptions.h"
#include "tessarine/synthform.h"
#include "tessarine/tessarineapp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include <array>
#include <limits>
#include <optional>

namespace tessarine {

namespace {

using evalkit::indexText;
using evalkit::Key;
using evalkit::KeyReader;
using evalkit::setIndex;
using evalkit::setValue;
using evalkit::valueText;
using platform::numberText;

using platform::bit;

namespace keys {
constexpr Key Path{u"File", u"path"};
constexpr Key Version{u"File", u"Version"};
constexpr Key Chip{u"Phy", u"Chip"};
constexpr Key Modulation{u"Phy", u"Modulation"};
constexpr Key Frequency{u"Tx", u"Frequency"};
constexpr Key Int{u"Tx", u"INT"};
constexpr Key Frac{u"Tx", u"FRAC"};
constexpr Key CrystalFreq{u"PLL", u"CrystalFreq"};
constexpr Key RefDivider{u"PLL", u"RefDivider"};
constexpr Key RefDoubler{u"PLL", u"RefDoubler"};
constexpr Key IcpIndex{u"PLL", u"IcpIndex"};
constexpr Key Prescaler{u"PLL", u"Prescaler"};
constexpr Key VcoDivider{u"VCO", u"VCODivider"};
constexpr Key PALevel{u"Tx", u"PALevel"};
constexpr Key Deviation{u"Phy", u"Deviation_kHz"};
constexpr Key IndexCounter{u"Phy", u"INDEX_COUNTER"};
constexpr Key DividerFactor{u"Phy", u"DIVIDER_FACTOR"};
constexpr Key ModControl{u"Phy", u"GFSK_MOD_CONTROL"};
constexpr Key PALevelLow{u"Tx", u"PALevelLow"};
constexpr Key OtherEnabled{u"Other", u"OTHER_ENABLED"};
constexpr Key VcoAdjust{u"Other", u"VCO_ADJUST"};
constexpr Key VcoBias{u"Other", u"VCO_BIAS"};
constexpr Key PaBias{u"Other", u"PA_BIAS"};
constexpr Key ClockOut{u"Other", u"CLK_OUT"};
constexpr Key MuxOut{u"Other", u"MUX_OUT"};
constexpr Key DataInvert{u"Other", u"DATA_INVERT"};
constexpr Key LockDp{u"Other", u"LOCK_DP"};
} // namespace keys

// The file's scheme names are the list's item texts.
constexpr std::array<const char16_t*, 5> SchemeNames{u"FSK", u"GFSK", u"ASK", u"OOK", u"GOOK"};

// VCODivider: the divide ratio of each output divider entry.
constexpr std::array<int, 4> VcoDivideRatios{1, 2, 4, 8};
// INDEX_COUNTER of a GOOK file: the count itself.
constexpr std::array<int, 4> IndexCounts{16, 32, 64, 128};

// The profile functions read a text into a buffer of 256 characters.
constexpr qsizetype MaxTextLength = 255;
constexpr int MaxLevel = 63;
constexpr int MaxRDivider = 15;
constexpr int PrescalerFourFive = 4;
// How far the synthesizer's planned frequency may lie from the RF entry: half a step of the
// 12-bit fraction, with room for single precision.
constexpr double RfStepsPerPfd = 1 << 11;

// ---- reading: every value is checked before the first control changes ------------------

struct GaussianPlan {
    std::optional<int> indexCount; // list index
    std::optional<QString> divider;
    std::optional<int> modControl; // GFSK only
};

struct OtherPlan {
    std::optional<int> vcoAdjust;
    std::optional<int> vcoBias;
    std::optional<int> paBias;
    std::optional<int> clockOut;
    std::optional<int> muxOut;
    std::optional<bool> dataInvert;
    std::optional<bool> lockDetectFiveCycles;
};

// What the import will set; nullopt leaves a control as it is.
struct ImportPlan {
    std::optional<QString> rf;
    std::optional<QString> crystal;
    std::optional<int> refDivider;
    std::optional<bool> doubler;
    std::optional<int> vcoDivide; // list index
    std::optional<int> icp;
    std::optional<bool> prescaler89;
    std::optional<int> scheme; // list index
    std::optional<QString> deviation;
    GaussianPlan gaussian;
    std::optional<int> paLevel;
    std::optional<int> paLevelLow;
    std::optional<OtherPlan> other;
};

void planSynthesizer(KeyReader& r, ImportPlan& p) {
    p.rf = r.numberText(keys::Frequency, MaxTextLength);
    p.crystal = r.numberText(keys::CrystalFreq, MaxTextLength);
    // 0 (or missing): the PFD is the crystal frequency; a divider the reference divider's
    // field cannot hold is left out (the PFD box keeps its text).
    p.refDivider = r.inRange(keys::RefDivider, 0, MaxRDivider);
    // The doubler's option is off (0) or on (1); another number is neither.
    if (const std::optional<int> doubler = r.inRange(keys::RefDoubler, 0, 1))
        p.doubler = *doubler == 1;
    // 0 reads as no divider, as 1 does; any other number leaves the list as it is.
    if (const std::optional<int> ratio = r.integer(keys::VcoDivider); ratio == 0)
        p.vcoDivide = 0;
    else
        p.vcoDivide = r.position(keys::VcoDivider, VcoDivideRatios);
    p.icp = r.index(keys::IcpIndex, 4);
    // 4 is the 4/5 prescaler; the file's 8, as any other number (0 for a missing key), the
    // 8/9 one.
    if (const std::optional<int> prescaler = r.integer(keys::Prescaler))
        p.prescaler89 = *prescaler != PrescalerFourFive;
}

void planModulation(KeyReader& r, ImportPlan& p) {
    // Any other scheme name, or none, leaves the scheme and its settings as they are.
    p.scheme = r.nameIndex(keys::Modulation, SchemeNames);
    if (!p.scheme)
        return;
    // The divider box takes any whole number: below 1 it shows 1, above 127 it shows 127.
    const auto divider = [&r] {
        const std::optional<int> d = r.integer(keys::DividerFactor);
        return d ? std::optional<QString>(numberText(*d)) : std::nullopt;
    };
    switch (*p.scheme) {
    case calc::FskItem:
        // Whether the count fits at the PFD is known only once the synthesizer has run.
        p.deviation = r.number<QString>(keys::Deviation, [](double v) {
            return evalkit::roundedText(v, 3, 0, std::numeric_limits<double>::max(), MaxTextLength);
        });
        break;
    case calc::GfskItem:
        p.gaussian.indexCount = r.index(keys::IndexCounter, 4);
        p.gaussian.divider = divider();
        p.gaussian.modControl = r.index(keys::ModControl, 8);
        break;
    case calc::AskItem:
        p.paLevelLow = r.inRange(keys::PALevelLow, 0, MaxLevel);
        break;
    case calc::GookItem:
        // The count itself; any other number leaves the list as it is.
        p.gaussian.indexCount = r.position(keys::IndexCounter, IndexCounts);
        p.gaussian.divider = divider();
        break;
    default:
        break;
    }
    p.paLevel = r.inRange(keys::PALevel, 0, MaxLevel);
}

void planOther(KeyReader& r, ImportPlan& p) {
    // A file without the section, or with it switched off, leaves these settings alone.
    const std::optional<int> enabled = r.integer(keys::OtherEnabled);
    if (!enabled || *enabled == 0)
        return;
    OtherPlan o;
    o.vcoAdjust = r.inRange(keys::VcoAdjust, 0, 3);
    o.vcoBias = r.inRange(keys::VcoBias, 0, 15);
    o.paBias = r.inRange(keys::PaBias, 0, 7);
    o.clockOut = r.inRange(keys::ClockOut, 0, platform::Selector::Positions - 1);
    o.muxOut = r.inRange(keys::MuxOut, 0, 15);
    // 1 is on; any other number off.
    if (const std::optional<int> v = r.integer(keys::DataInvert))
        o.dataInvert = *v == 1;
    if (const std::optional<int> v = r.integer(keys::LockDp))
        o.lockDetectFiveCycles = *v == 1;
    p.other = o;
}

// ---- applying the plan, in the order the handlers rely on ------------------------------

void applySynthesizer(TessarineApp& app, KeyReader& r, const ImportPlan& p) {
    synthform& s = app.synthform();
    const evalkit::SynthesizerImport check{keys::Frequency,      keys::CrystalFreq,
                                           keys::RefDivider,     p.refDivider.value_or(0) != 0,
                                           s.txtVCOout1->text(), s.txtpfd1->text(),
                                           s.TxtCrystal1->text()};
    if (p.rf)
        s.txtVCOout1->setText(*p.rf);
    if (p.crystal)
        s.TxtCrystal1->setText(*p.crystal);
    // The file holds R as the synthesizer computed it, with the doubler in: the PFD is the
    // doubled crystal divided by it, so the calculation gives the same R back.
    if (p.refDivider) {
        const QString crystal = s.TxtCrystal1->text();
        if (*p.refDivider == 0) {
            s.txtpfd1->setText(crystal);
        } else if (const std::optional<double> c = platform::textToNumber(crystal)) {
            const bool doubled = p.doubler.value_or(app.w().DoublerFactor == 2);
            s.txtpfd1->setText(numberText(*c * (doubled ? 2 : 1) / *p.refDivider));
        }
    }
    if (p.doubler)
        s.optDoubler->setChecked(*p.doubler);
    setIndex(s.cmbVCODivide, p.vcoDivide);
    setIndex(app.main().cmbIcp, p.icp);
    if (p.prescaler89) {
        app.frmOtherFeatures().togprescaler->setOn(*p.prescaler89);
        app.f().PrescalerField = *p.prescaler89 ? calc::Prescaler89Field : 0;
    }
    const evalkit::SynthEntryBoxes boxes{s.txtVCOout1, s.txtpfd1, s.TxtCrystal1};
    const evalkit::SynthesizerValues given = evalkit::synthesizerEntries(boxes);
    s.cmdCalculate_Click();
    const TessarineWorking& w = app.w();
    evalkit::checkSynthesizerImport(r, check, boxes, given,
                                    {w.RfFrequencyMHz, w.PfdFrequencyMHz, w.CrystalFrequencyMHz},
                                    given.pfdMHz / RfStepsPerPfd);
}

void applyModulation(TessarineApp& app, KeyReader& r, const ImportPlan& p) {
    if (!p.scheme)
        return;
    Main& m = app.main();
    m.cmbModulation->setCurrentIndex(*p.scheme);
    switch (*p.scheme) {
    case calc::FskItem:
        if (p.deviation) {
            // A count that does not fit the field at this PFD is left out like any other
            // value its box refuses.
            const calc::DeviationResult d = calc::planDeviation(
                {*p.deviation, app.f().ModulationSchemeField, app.w().PfdFrequencyMHz});
            if (d.TxDeviationField)
                m.TxtFSKdev->setText(*p.deviation);
            else
                r.skip(keys::Deviation);
        }
        setValue(m.HScroll2, p.paLevel);
        break;
    case calc::GfskItem:
    case calc::GookItem:
        setIndex(m.cmbIndexCount, p.gaussian.indexCount);
        if (p.gaussian.divider)
            m.txtDivider->setText(*p.gaussian.divider);
        setIndex(m.cmbModCtrl, p.gaussian.modControl);
        setValue(m.HScroll2, p.paLevel);
        m.FnUpdateGaussian();
        break;
    case calc::AskItem:
        setValue(m.HScrollASKFine1, p.paLevelLow);
        setValue(m.HScroll2, p.paLevel);
        break;
    case calc::OokItem:
        setValue(m.HScroll2, p.paLevel);
        break;
    default:
        break;
    }
}

void applyOther(TessarineApp& app, const OtherPlan& o) {
    frmPowerdown& bias = app.frmPowerdown();
    setValue(bias.HScrVCOAdjust, o.vcoAdjust);
    setValue(bias.HScrVCObias, o.vcoBias);
    setValue(bias.HScrPAbias, o.paBias);
    if (o.clockOut) {
        evalkit::frmClockOut& clock = app.frmClockOut();
        clock.SelClockoutDivide->setPosition(*o.clockOut);
        clock.UpdateClockout();
    }
    if (o.muxOut) {
        evalkit::muxform& mux = app.muxform();
        mux.lblmux.at(static_cast<std::size_t>(*o.muxOut))->setChecked(true);
        mux.UpdateMux();
    }
    frmOtherFeatures& other = app.frmOtherFeatures();
    if (o.dataInvert) {
        other.TogDataInvert->setOn(*o.dataInvert);
        app.f().DataInvertField = *o.dataInvert ? bit(5) : 0;
    }
    if (o.lockDetectFiveCycles) {
        other.TogLDP->setOn(*o.lockDetectFiveCycles);
        app.f().LockDetectPrecisionField = *o.lockDetectFiveCycles ? bit(15) : 0;
    }
}

} // namespace

void ExportSettings(TessarineApp& app, const QString& path) {
    Main& m = app.main();
    synthform& s = app.synthform();
    const auto& f = app.f();
    // The dividers the chip is programmed with (a fraction stepped past its end has carried
    // into N there), not the working values the synthesizer window resets when it is loaded.
    const uint32_t nWord = app.store().wordBits(NRegister);
    const QString integerN = numberText((nWord >> 14) & 0xFF);
    const QString fracN = numberText((nWord >> 2) & 0xFFF);
    // The synthesizer window stays loaded after an import and a save: boxes whose frequencies
    // its last calculation did not keep are written as it kept them.
    const TessarineWorking& w = app.w();
    const QString rf =
        evalkit::frequencyInForce(s.txtVCOout1, w.RfFrequencyMHz, w.PfdFrequencyMHz / RfStepsPerPfd,
                                  calc::boxText(w.RfFrequencyMHz));
    const QString crystal = evalkit::frequencyInForce(s.TxtCrystal1, w.CrystalFrequencyMHz, 5e-6,
                                                      calc::boxText(w.CrystalFrequencyMHz));

    evalkit::exportSettings(app, path, [&](const evalkit::KeyWriter& write) {
        write(keys::Path, path);
        write(keys::Version, QStringLiteral("1"));
        write(keys::Chip, QStringLiteral("Tessarine"));
        write(keys::Modulation, m.cmbModulation->currentText());
        write(keys::Frequency, rf);
        write(keys::Int, integerN);
        write(keys::Frac, fracN);
        write(keys::CrystalFreq, crystal);
        write(keys::RefDivider, numberText(f.RDividerField / bit(13)));
        write(keys::RefDoubler, f.DoublerField != 0 ? QStringLiteral("1") : QStringLiteral("0"));
        write(keys::IcpIndex, indexText(m.cmbIcp));
        write(keys::Prescaler, f.PrescalerField != 0 ? QStringLiteral("8") : QStringLiteral("4"));
        const int divide = s.cmbVCODivide->currentIndex();
        if (divide >= 0 && divide < static_cast<int>(VcoDivideRatios.size()))
            write(keys::VcoDivider, numberText(VcoDivideRatios[static_cast<std::size_t>(divide)]));

        // Each scheme writes its own keys; those of other schemes that the file holds stay.
        const int scheme = m.cmbModulation->currentIndex();
        const int counter = m.cmbIndexCount->currentIndex();
        switch (scheme) {
        case calc::FskItem:
            write(keys::PALevel, valueText(m.HScroll2));
            write(keys::Deviation, platform::textInForce(m.TxtFSKdev));
            break;
        case calc::GfskItem:
            write(keys::PALevel, valueText(m.HScroll2));
            write(keys::IndexCounter, indexText(m.cmbIndexCount));
            write(keys::DividerFactor, platform::textInForce(m.txtDivider));
            write(keys::ModControl, indexText(m.cmbModCtrl));
            break;
        case calc::AskItem:
            write(keys::PALevel, valueText(m.HScroll2));
            write(keys::PALevelLow, valueText(m.HScrollASKFine1));
            break;
        case calc::OokItem:
            write(keys::PALevel, valueText(m.HScroll2));
            break;
        case calc::GookItem:
            write(keys::PALevel, valueText(m.HScroll2));
            if (counter >= 0 && counter < static_cast<int>(IndexCounts.size()))
                write(keys::IndexCounter,
                      numberText(IndexCounts[static_cast<std::size_t>(counter)]));
            write(keys::DividerFactor, platform::textInForce(m.txtDivider));
            break;
        default:
            break;
        }

        frmPowerdown& bias = app.frmPowerdown();
        write(keys::OtherEnabled, QStringLiteral("1"));
        write(keys::VcoAdjust, valueText(bias.HScrVCOAdjust));
        write(keys::VcoBias, valueText(bias.HScrVCObias));
        write(keys::PaBias, valueText(bias.HScrPAbias));
        write(keys::ClockOut, numberText(app.frmClockOut().SelClockoutDivide->position()));
        write(keys::MuxOut, numberText(f.MuxoutField / bit(11)));
        write(keys::DataInvert, numberText(f.DataInvertField / bit(5)));
        write(keys::LockDp, numberText(f.LockDetectPrecisionField / bit(15)));
    });
}

void ImportSettings(TessarineApp& app, const QString& path) {
    evalkit::importSettings(app, path, [&app](KeyReader& r) {
        // Every value is checked before the first control changes.
        ImportPlan plan;
        planSynthesizer(r, plan);
        planModulation(r, plan);
        planOther(r, plan);

        // The controls' own handlers store the fields, as the user's edits would; nothing goes
        // to the board. The deviation box says nothing of the entries it passes through on the
        // way: what the file holds is checked above, and what it cannot use is named below.
        Main& m = app.main();
        m.holdDeviationMessage(true);
        applySynthesizer(app, r, plan);
        applyModulation(app, r, plan);
        if (plan.other)
            applyOther(app, *plan.other);
        m.holdDeviationMessage(false);
        app.fnGuiWrite();
        showStatusCaptions(app);
    });
}

} // namespace tessarine
