// corvane-eval's settings import (the format Corvane-N shares) of an arbitrary file into a fresh
// context: see fuzz/importcheck.h.
#include "fuzz/importcheck.h"

#include "corvane/corvaneapp.h"
#include "corvane/settingsfile.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzcheck::startOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzcheck::checkImport<corvane::CorvaneApp>(data, size, corvane::ImportSettings,
                                                corvane::ExportSettings);
    return 0;
}
