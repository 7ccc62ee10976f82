// pellion-eval's settings import of an arbitrary file into a fresh context: see
// fuzz/importcheck.h. Besides, every register word keeps its own register number in its low four
// bits.
#include "fuzz/importcheck.h"

#include "pellion/main_window.h"
#include "pellion/pellionapp.h"
#include "pellion/settingsfile.h"

namespace {

// The registers whose words carry their number in bits 3..0.
constexpr int Registers[] = {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13};

void importAndCheckWords(pellion::PellionApp& app, const QString& path) {
    pellion::ImportSettings(app, path);
    for (int n : Registers)
        FUZZ_CHECK(static_cast<int>(app.store().wordBits(n) & 0xF) == n);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzcheck::startOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzcheck::checkImport<pellion::PellionApp>(data, size, importAndCheckWords,
                                                pellion::ExportSettings);
    return 0;
}
