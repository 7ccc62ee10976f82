// corvane-eval's settings import (the format Corvane-N shares) of an arbitrary file into a fresh
// context: see fuzz/importcheck.h.
#include "fuzz/importcheck.h"
#include "fuzz/plancheck.h"

#include "corvane/calc/settingsplan.h"
#include "corvane/corvaneapp.h"
#include "corvane/settingsfile.h"

namespace {

using fuzzcheck::numberWithin;
using fuzzcheck::within;

// Every value the plan keeps is one its control takes, whichever modulation the panel shows.
void checkPlan(evalkit::calc::KeyReader& r, int currentModulation) {
    (void)evalkit::calc::versionRefusal(r);
    (void)corvane::calc::chipRefusal(r);
    const corvane::calc::SettingsPlan p = corvane::calc::planSettings(r, currentModulation);
    const corvane::calc::FrontPanelPlan& m = p.panel;
    FUZZ_CHECK(within(m.vcoChoice, 0, 1) && within(m.icp, 0, 3) && within(m.modulation, 0, 7));
    FUZZ_CHECK(numberWithin(m.deviation, 5, 0, 100) && within(m.paLevel, 0, 63));
    FUZZ_CHECK(numberWithin(m.rate, 6, 0, 75) && m.rate != QStringLiteral("0") &&
               within(m.alpha, 0, 1));
    FUZZ_CHECK(!m.alpha || corvane::calc::isRaisedCosine(m.modulation.value_or(currentModulation)));
    FUZZ_CHECK(within(m.ifBandwidth, 0, 2) && within(m.demod, 0, 3));
    const evalkit::calc::SynthesizerEntries& e = p.synthesizer.entries;
    FUZZ_CHECK(fuzzcheck::numberText(e.rf, 255) && fuzzcheck::numberText(e.crystal, 255));
    FUZZ_CHECK(within(e.refDivider, 0, 7));
    FUZZ_CHECK(within(p.bias.vcoBand, 0, 3) && within(p.bias.vcoBias, 1, 15));
    FUZZ_CHECK(within(p.bias.paBias, 0, 3) && within(p.bias.mixerLinearity, 0, 1));
    if (p.sync) {
        FUZZ_CHECK(within(p.sync->detect, 0, 3) && within(p.sync->length, 0, 3));
        FUZZ_CHECK(within(p.sync->errors, 0, 3));
        FUZZ_CHECK(!p.sync->word || evalkit::calc::syncWordValue(*p.sync->word, QString()));
    }
    if (p.afc) {
        FUZZ_CHECK(within(p.afc->ki, 0, 15) && within(p.afc->kp, 0, 7));
        FUZZ_CHECK(numberWithin(p.afc->range, 3, 0, 127.5));
    }
    if (p.ifFilter) {
        FUZZ_CHECK(within(p.ifFilter->dwell, 0, 127) && within(p.ifFilter->upper, 0, 255));
        FUZZ_CHECK(within(p.ifFilter->lower, 0, 255));
    }
    if (p.agc) {
        FUZZ_CHECK(within(p.agc->mode, 0, 2) && within(p.agc->low, 0, 63));
        FUZZ_CHECK(within(p.agc->high, 0, 80) && within(p.agc->lnaGain, 0, 2));
        FUZZ_CHECK(within(p.agc->filterGain, 0, 2));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzcheck::startOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int currentModulation = static_cast<int>(size % 8);
    fuzzcheck::checkPlanTwice(data, size, [currentModulation](evalkit::calc::KeyReader& r) {
        checkPlan(r, currentModulation);
    });
    fuzzcheck::checkImport<corvane::CorvaneApp>(data, size, corvane::ImportSettings,
                                                corvane::ExportSettings);
    return 0;
}
