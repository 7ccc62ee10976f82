// tessarine-eval's settings import of an arbitrary file into a fresh context: see
// fuzz/importcheck.h.
#include "fuzz/importcheck.h"
#include "fuzz/plancheck.h"

#include "tessarine/calc/modulation.h"
#include "tessarine/calc/settingsplan.h"
#include "tessarine/settingsfile.h"
#include "tessarine/tessarineapp.h"

namespace {

using fuzzcheck::within;

// Every value the plan keeps is one its control takes.
void checkPlan(evalkit::calc::KeyReader& r) {
    using namespace tessarine::calc;
    (void)evalkit::calc::versionRefusal(r);
    const SettingsPlan p = planSettings(r);
    const SynthesizerPlan& s = p.synthesizer;
    FUZZ_CHECK(fuzzcheck::numberText(s.entries.rf, 255));
    FUZZ_CHECK(fuzzcheck::numberText(s.entries.crystal, 255));
    FUZZ_CHECK(within(s.entries.refDivider, 0, 15) && within(s.vcoDivide, 0, 3));
    const FrontPanelPlan& m = p.panel;
    FUZZ_CHECK(within(m.icp, 0, 3) && within(m.scheme, FskItem, GookItem));
    FUZZ_CHECK(!m.deviation || platform::textToNumber(*m.deviation).value_or(-1) >= 0);
    FUZZ_CHECK(within(m.gaussian.indexCount, 0, 3) && within(m.gaussian.modControl, 0, 7));
    FUZZ_CHECK(!m.gaussian.divider || platform::textToNumber(*m.gaussian.divider));
    FUZZ_CHECK(within(m.paLevel, 0, 63) && within(m.paLevelLow, 0, 63));
    if (p.other) {
        const OtherPlan& o = *p.other;
        FUZZ_CHECK(within(o.vcoAdjust, 0, 3) && within(o.vcoBias, 0, 15));
        FUZZ_CHECK(within(o.paBias, 0, 7) && within(o.clockOut, 0, ClockOutPositions - 1));
        FUZZ_CHECK(within(o.muxOut, 0, 15));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzcheck::startOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzcheck::checkPlanTwice(data, size, checkPlan);
    fuzzcheck::checkImport<tessarine::TessarineApp>(data, size, tessarine::ImportSettings,
                                                    tessarine::ExportSettings);
    return 0;
}
