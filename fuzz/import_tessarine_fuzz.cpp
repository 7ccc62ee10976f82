// tessarine-eval's settings import of an arbitrary file into a fresh context: see
// fuzz/importcheck.h.
#include "fuzz/importcheck.h"

#include "tessarine/settingsfile.h"
#include "tessarine/tessarineapp.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzcheck::startOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzcheck::checkImport<tessarine::TessarineApp>(data, size, tessarine::ImportSettings,
                                                    tessarine::ExportSettings);
    return 0;
}
