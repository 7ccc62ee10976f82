#include "corvane-n/variant.h"

#include "corvane-n/ifcalibrationfeatures.h"
#include "corvane/descriptions.h"

namespace corvanen {

namespace {

constexpr double BandwidthStep = 1073741824.0; // IFFilterBandwidthField per list index, 2^30

evalkit::RevisionHistory revisions() {
    using Kind = evalkit::RevisionHistory::Kind;
    evalkit::RevisionHistory h;
    h.lines = {
        {QStringLiteral("Rev 1.0       Jan '08               Adapted from Corvane Rev3.2 s/w."),
         Kind::Revision, QStringLiteral("Label18")},
        {QStringLiteral("Addition of seperate AFC, AGC, SWD and IF Filter cal windows"), Kind::Note,
         QStringLiteral("Label10")},
        {QStringLiteral("Please check the Verrix website for Updates to this software"),
         Kind::Footer, QStringLiteral("Label8")},
    };
    h.button = QStringLiteral("Back to the Main Window");
    return h;
}

} // namespace

const corvane::ProgramVariant& variant() {
    static const corvane::ProgramVariant v = [] {
        corvane::ProgramVariant n;
        n.chip = corvane::ChipVariant{13, 80};
        n.programTitle = QStringLiteral("Corvane-N");
        n.fileVersion = QStringLiteral("1.00");
        n.windowCaption = QStringLiteral("Corvane-N Evaluation Software");
        n.deviceName = QStringLiteral("Corvane-N");
        n.aboutMenuCaption = QStringLiteral("&About this Rev");
        n.ifBandwidths = {QStringLiteral("9kHz"), QStringLiteral("13.5kHz"),
                          QStringLiteral("18.5kHz")};
        // The narrow filters calibrate with tones that suit each bandwidth.
        n.tones.byBandwidth = {
            {0, {232.6, 156.2, false}},
            {BandwidthStep, {232.6, 158.8, false}},
            {2 * BandwidthStep, {238, 156.2, true}},
        };
        n.bandwidthSetsTones = true;
        // The fraction buttons keep the VCO below 920 MHz (460 MHz divided by 2).
        n.fractionStepLimits = corvane::calc::VcoUpperLimits{920, 460};
        n.about = corvane::aboutTexts();
        n.about.revision = QStringLiteral("REV 1.0 Release, Jan 2008");
        n.about.description = QStringLiteral("This Software is an evaluation tool for the Verrix "
                                             "Corvane-N Low Power Narrow Band Transceiver. ");
        n.revisions = revisions();
        n.ifCal = ifCalibrationFeatures();
        return n;
    }();
    return v;
}

} // namespace corvanen
