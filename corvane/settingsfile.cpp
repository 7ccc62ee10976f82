#include "corvane/settingsfile.h"

#include "corvane/corvaneapp.h"
#include "corvane/descriptions.h"
#include "corvane/frmifcal.h"
#include "corvane/main_window.h"
#include "corvane/synthform.h"
#include "corvane/windows.h"
#include "evalkit/profilekeys.h"
#include "evalkit/settingsfile.h"
#include "platform/numbers.h"
#include "platform/profile.h"

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
constexpr double MaxDeviationKHz = 100;
constexpr int MaxDeviationText = 5;
constexpr double MaxRateKbps = 75;
constexpr int MaxRateText = 6;
constexpr int MaxAfcRangeText = 3;
constexpr int MaxAfcRangeCode = 255;
constexpr uint32_t MaxSyncWord = 0xFFFFFF; // 24 bits of register 11

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
    p.lext = r.whole(keys::Lext, 0, 1);
    p.divideBy2 = r.number<bool>(keys::VcoDivider, [](double v) -> std::optional<bool> {
        if (v == 1 || v == 2)
            return v == 2;
        return std::nullopt;
    });
    p.rf = r.numberBoxText(keys::Frequency);
    p.crystal = r.numberBoxText(keys::CrystalFreq);
    p.refDivider = r.whole(keys::RefDivider, 0, 7);
    p.icp = r.whole(keys::IcpIndex, 0, 3);
    p.vcoBand = r.whole(keys::VcoBand, 0, 3);
    p.vcoBias = r.whole(keys::VcoBias, 0, 15);
    if (p.vcoBias == 0)
        p.vcoBias.reset(); // 0 (or missing) keeps the bias the VCO list chose
    if (const std::optional<QString> mode = r.text(keys::Mode)) {
        if (*mode == QStringLiteral("Tx") || *mode == QStringLiteral("Rx"))
            p.transmit = *mode == QStringLiteral("Tx");
        else
            r.skip(keys::Mode);
    }
}

void planModulation(KeyReader& r, ImportPlan& p, int currentModulation) {
    const std::optional<QString> name = r.text(keys::Modulation);
    const ModulationName* m = name ? findModulation(*name) : nullptr;
    if (name && !m)
        r.skip(keys::Modulation);
    if (m) {
        p.modulation = m->index;
        const bool single = m->singleDeviation;
        p.deviation = r.number<QString>(keys::Deviation, [single](double v) {
            const double kHz = single ? double(platform::toSingle(v)) : v;
            return evalkit::roundedText(kHz, 3, 0, MaxDeviationKHz, MaxDeviationText);
        });
        p.paLevel = r.whole(keys::PALevel, 0, 63);
    }
    p.rate = r.number<QString>(keys::BaudRate, [](double v) -> std::optional<QString> {
        const std::optional<QString> text =
            evalkit::roundedText(v / 1000, 3, 0, MaxRateKbps, MaxRateText);
        if (text && *text == QStringLiteral("0"))
            return std::nullopt; // the box takes no rate of 0
        return text;
    });
    if (isRaisedCosine(p.modulation.value_or(currentModulation))) {
        p.alpha = r.number<int>(keys::Alpha, [](double v) -> std::optional<int> {
            if (v == 0.5)
                return 0;
            if (v == 0.7)
                return 1;
            return std::nullopt;
        });
    }
}

void planReceiver(KeyReader& r, ImportPlan& p) {
    p.paBias = r.whole(keys::PABias, 0, 3);
    p.ifBandwidth = r.whole(keys::IfBandwidth, 0, 2);
    p.mixerLinearity = r.whole(keys::MixerLinearity, 0, 1);
    p.demod = r.whole(keys::Demod, 0, 3);
}

void planSync(KeyReader& r, ImportPlan& p) {
    const std::optional<int> detect = r.whole(keys::SyncDetect, 0, 3);
    if (!detect || *detect == 0)
        return; // sync-word detection off: the sync-word window is not touched
    evalkit::SyncWordPlan s;
    s.detect = *detect;
    if (const std::optional<QString> word = r.text(keys::SyncWord)) {
        const QString digits = word->mid(2);
        const std::optional<uint32_t> v =
            digits.isEmpty() ? std::optional<uint32_t>(0) : platform::hexToU32(digits);
        if (word->startsWith(QStringLiteral("0x"), Qt::CaseInsensitive) && v && *v <= MaxSyncWord)
            s.word = digits;
        else
            r.skip(keys::SyncWord);
    }
    s.length = r.whole(keys::WordLength, 0, 3);
    s.errors = r.whole(keys::NumErrors, 0, 3);
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
    a.ki = r.whole(keys::AfcKi, 0, 15);
    a.kp = r.whole(keys::AfcKp, 0, 7);
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
    p.ifFilter = IfFilterPlan{r.whole(keys::Dwell, 0, 127), r.whole(keys::Upper, 0, 255),
                              r.whole(keys::Lower, 0, 255)};
}

void planAgc(KeyReader& r, ImportPlan& p) {
    if (!r.text(keys::AgcMode))
        return;
    p.agc = AgcPlan{r.whole(keys::AgcMode, 0, 2), r.whole(keys::AgcLow, 0, 63),
                    r.whole(keys::AgcHigh, 0, 80), r.whole(keys::LnaGain, 0, 2),
                    r.whole(keys::FilterGain, 0, 2)};
}

// ---- applying the plan, in the order the handlers rely on ---------------------

void applySynthesizer(CorvaneApp& app, const ImportPlan& p) {
    Main& m = app.main();
    setIndex(m.cmbVCO, p.lext);
    if (p.divideBy2) {
        app.synthform().lblVCOdiv2->setOn(*p.divideBy2);
        app.f().VcoDiv2Field = *p.divideBy2 ? DivideBy2On : 0;
    }
    setText(app.synthform().txtVCOout1, p.rf);
    setText(app.synthform().TxtCrystal1, p.crystal);
    if (p.refDivider) {
        const QString crystal = app.synthform().TxtCrystal1->text();
        if (*p.refDivider == 0) {
            app.synthform().txtpfd1->setText(crystal);
        } else if (const std::optional<double> c = platform::textToNumber(crystal)) {
            app.synthform().txtpfd1->setText(numberText(*c / *p.refDivider));
        }
    }
    setIndex(m.cmbIcp, p.icp);
    setValue(app.frmPowerdown().HScrVCOAdjust, p.vcoBand);
    setValue(app.frmPowerdown().HScrVCObias, p.vcoBias);
    if (p.transmit)
        (*p.transmit ? m.optTx : m.optRx)->setChecked(true);
    app.synthform().CmdCalculate_Click();
    // As after every calculation made without showing the window, it goes
    // again, so it opens (and saves) from the values the calculation kept.
    app.synthform().unload();
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
    setValue(app.frmPowerdown().HScrPABias, p.paBias);
    setIndex(m.cmbIFBW, p.ifBandwidth);
    if (p.mixerLinearity) {
        app.f().MixerLinearityField = *p.mixerLinearity * bit(28);
        app.frmPowerdown().cmbMixerLinearity->setCurrentIndex(*p.mixerLinearity);
    }
    setIndex(m.cmbDemod, p.demod);
}

void applyDialogs(CorvaneApp& app, const ImportPlan& p) {
    Main& m = app.main();
    if (p.sync) {
        frmSWD& swd = app.frmSWD();
        setIndex(swd.cmbInterupt, p.sync->detect);
        setText(swd.txtPreamble, p.sync->word);
        setIndex(swd.cmbPreamble, p.sync->length);
        setNumber(swd.txtErrors, p.sync->errors);
        swd.txtDPL->setText(QStringLiteral("1"));
        setCaption(*m.Command11, swdCaptionOnImport(app.f().SwdModeField));
    }
    if (p.afc) {
        frmAFC& afc = app.frmAFC();
        if (p.afc->on) {
            afc.Toggle1->setOn(*p.afc->on);
            app.f().AfcEnableField = afc.Toggle1->isOn() ? AfcOn : 0;
            setCaption(*m.Command8, afcCaption(app.f().AfcEnableField));
        }
        setIndex(afc.cmbKi, p.afc->ki);
        setIndex(afc.cmbKp, p.afc->kp);
        setText(afc.txtAFCRange, p.afc->range);
    }
    if (p.ifFilter) {
        frmIFCal& cal = app.frmIFCal();
        setNumber(cal.Text1, p.ifFilter->dwell);
        setNumber(cal.Text2, p.ifFilter->upper);
        setNumber(cal.Text3, p.ifFilter->lower);
    }
    if (p.agc) {
        frmAGC& agc = app.frmAGC();
        setIndex(agc.Combo1, p.agc->mode);
        setNumber(agc.Text1, p.agc->low);
        setNumber(agc.Text2, p.agc->high);
        setIndex(agc.Combo2, p.agc->lnaGain);
        setIndex(agc.Combo3, p.agc->filterGain);
        setCaption(*m.Command9, agcCaption(app.f().AgcModeField));
    }
}

} // namespace

void ExportSettings(CorvaneApp& app, const QString& path) {
    Main& m = app.main();
    const QString rateText = m.txtDatarate->text();
    const std::optional<double> rate = evalkit::rateToExport(app, path, rateText);
    if (!rate)
        return;
    const auto& f = app.f();
    // Written as the divider the chip is programmed with, not the working
    // values the synthesizer window resets when it is loaded.
    const QString integerN = numberText(f.IntegerNField / bit(19));
    const QString fracN = numberText(f.FracNField / bit(4));

    evalkit::exportSettings(app, path, [&](const evalkit::KeyWriter& write) {
        write(keys::Version, QStringLiteral("1"));
        write(keys::Path, path);
        write(keys::Chip, QStringLiteral("Corvane"));
        write(keys::Lext,
              m.cmbVCO->currentIndex() == 1 ? QStringLiteral("1") : QStringLiteral("0"));
        write(keys::Modulation, m.cmbModulation->currentText());
        write(keys::BaudRate, numberText(*rate * 1000));
        write(keys::Mode, m.optRx->isChecked() ? QStringLiteral("Rx") : QStringLiteral("Tx"));
        write(keys::Frequency, app.synthform().txtVCOout1->text());
        write(keys::Int, integerN);
        write(keys::Frac, fracN);
        write(keys::PALevel, valueText(m.HScroll2));
        write(keys::Deviation, m.Lblfskdev->text());
        write(keys::PABias, valueText(app.frmPowerdown().HScrPABias));
        write(keys::IfBandwidth, indexText(m.cmbIFBW));
        write(keys::MixerLinearity, indexText(app.frmPowerdown().cmbMixerLinearity));
        write(keys::LnaMode, numberText(f.LnaModeField / double(bit(15))));
        write(keys::Demod, indexText(m.cmbDemod));
        write(keys::CrystalFreq, app.synthform().TxtCrystal1->text());
        write(keys::IcpIndex, indexText(m.cmbIcp));
        write(keys::RefDivider, numberText(app.w().RDivider));
        write(keys::VcoBand, valueText(app.frmPowerdown().HScrVCOAdjust));
        write(keys::VcoDivider,
              app.synthform().lblVCOdiv2->isOn() ? QStringLiteral("2") : QStringLiteral("1"));
        write(keys::Lext, indexText(m.cmbVCO));
        write(keys::VcoBias, valueText(app.frmPowerdown().HScrVCObias));
        frmSWD& swd = app.frmSWD();
        write(keys::SyncDetect, indexText(swd.cmbInterupt));
        write(keys::SyncWord, QStringLiteral("0x") + swd.txtPreamble->text());
        write(keys::WordLength, indexText(swd.cmbPreamble));
        write(keys::NumErrors, swd.txtErrors->text());
        frmAFC& afc = app.frmAFC();
        write(keys::AfcStatus,
              afc.Toggle1->isOn() ? QStringLiteral("True") : QStringLiteral("False"));
        write(keys::AfcKi, indexText(afc.cmbKi));
        write(keys::AfcKp, indexText(afc.cmbKp));
        write(keys::AfcRange, afc.txtAFCRange->text());
        frmIFCal& cal = app.frmIFCal();
        write(keys::Dwell, cal.Text1->text());
        write(keys::Upper, cal.Text2->text());
        write(keys::Lower, cal.Text3->text());
        frmAGC& agc = app.frmAGC();
        write(keys::AgcMode, indexText(agc.Combo1));
        write(keys::AgcLow, agc.Text1->text());
        write(keys::AgcHigh, agc.Text2->text());
        write(keys::LnaGain, indexText(agc.Combo2));
        write(keys::FilterGain, indexText(agc.Combo3));
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
        applySynthesizer(app, plan);
        applyModulation(app, plan);
        applyReceiver(app, plan);
        applyDialogs(app, plan);
        app.main().TxtFSKdev_Change();
        app.main().txtDatarate_Change();
        app.UpdateAllRegisterLabels();
    });
}

} // namespace corvane
