// pellion-eval's settings import of an arbitrary file into a fresh context: see
// fuzz/importcheck.h.
#include "fuzz/importcheck.h"
#include "fuzz/plancheck.h"

#include "pellion/calc/settingsplan.h"
#include "pellion/pellionapp.h"
#include "pellion/settingsfile.h"

#include <cmath>

namespace {

using fuzzcheck::within;

// Every value the plan keeps is one its control takes.
void checkPlan(evalkit::calc::KeyReader& r) {
    using namespace pellion::calc;
    (void)evalkit::calc::versionRefusal(r);
    const SettingsPlan p = planSettings(r);
    const FrontPanelPlan& m = p.panel;
    FUZZ_CHECK(within(m.icp, 0, 3) && within(m.scheme, FskScheme, GookScheme));
    FUZZ_CHECK(!m.deviation || (*m.deviation >= 0 && *m.deviation <= 500));
    FUZZ_CHECK(within(m.paLevel, 0, 63) && within(m.paLevelLow, 0, 63));
    FUZZ_CHECK(!m.rate || std::isfinite(*m.rate));
    FUZZ_CHECK(within(m.ifBandwidth, 0, 2) && within(p.lnaMode, 0, 1));
    FUZZ_CHECK(fuzzcheck::numberText(p.synthesizer.entries.rf, 255));
    FUZZ_CHECK(fuzzcheck::numberText(p.synthesizer.entries.crystal, 255));
    FUZZ_CHECK(within(p.synthesizer.entries.refDivider, 0, 7));
    FUZZ_CHECK(within(p.bias.vcoBand, 0, 3) && within(p.bias.vcoBias, 1, 15));
    FUZZ_CHECK(!p.bias.paBias && within(p.bias.mixerLinearity, 0, 1));
    // The Gaussian codes come only with a Gaussian scheme.
    const bool gaussian = m.scheme && isGaussianScheme(*m.scheme);
    FUZZ_CHECK(gaussian ||
               (!p.gaussian.indexCounter && !p.gaussian.divider && !p.gaussian.modControl));
    FUZZ_CHECK(within(p.gaussian.indexCounter, 0, 3) && within(p.gaussian.divider, 1, 127));
    FUZZ_CHECK(within(p.gaussian.modControl, 0, 7));
    FUZZ_CHECK(within(p.sync.detect, 0, 2) && within(p.sync.length, 0, 3));
    FUZZ_CHECK(within(p.sync.errors, 0, 3));
    FUZZ_CHECK(!p.sync.word || evalkit::calc::syncWordValue(*p.sync.word, SyncWordPrefix));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzcheck::startOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzcheck::checkPlanTwice(data, size, checkPlan);
    fuzzcheck::checkImport<pellion::PellionApp>(data, size, pellion::ImportSettings,
                                                pellion::ExportSettings);
    return 0;
}
