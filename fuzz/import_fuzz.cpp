// corvane-eval's settings import (the format Corvane-N shares) of an arbitrary file into a
// fresh context: see fuzz/importcheck.h. Besides, every register word keeps its own register
// number in its low four bits.
#include "fuzz/importcheck.h"

#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "corvane/settingsfile.h"

namespace {

// The registers whose words carry their number in bits 3..0.
constexpr int Registers[] = {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 15};

void importAndCheckWords(corvane::CorvaneApp& app, const QString& path) {
    corvane::ImportSettings(app, path);
    for (int n : Registers)
        FUZZ_CHECK(static_cast<int>(app.store().wordBits(n) & 0xF) == n);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzcheck::startOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzcheck::checkImport<corvane::CorvaneApp>(data, size, importAndCheckWords,
                                                corvane::ExportSettings);
    return 0;
}
