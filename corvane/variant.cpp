#include "corvane/variant.h"

#include "corvane/descriptions.h"

namespace corvane {

const ProgramVariant& corvaneEval() {
    static const ProgramVariant variant = [] {
        ProgramVariant v;
        v.chip = ChipVariant{10, 40};
        v.programTitle = QStringLiteral("corvane-eval");
        v.fileVersion = QStringLiteral("3.02");
        v.windowCaption = QStringLiteral("Corvane Evaluation Software");
        v.deviceName = QStringLiteral("Corvane");
        v.aboutMenuCaption = QStringLiteral("&About this Rev (Rev 3.1)");
        v.ifBandwidths = {QStringLiteral("12kHz"), QStringLiteral("18kHz"),
                          QStringLiteral("25kHz")};
        // The same tones for every bandwidth: crystal kHz / 263 and / 131.6.
        v.tones.fixed = calc::ToneDivisors{263, 131.6, false};
        v.bandwidthSetsTones = false;
        v.fractionStepLimits = calc::VcoUpperLimits{960, 480};
        v.about = aboutTexts();
        v.revisions = revisionHistory();
        v.ifCal.outerCaption = QStringLiteral("IF Filter Calibration");
        v.ifCal.fineFrameCaption = QStringLiteral("Fine Cal Settings");
        return v;
    }();
    return variant;
}

} // namespace corvane
