// tessarine-eval's settings import of an arbitrary file into a fresh context: see
// fuzz/importcheck.h. Besides, every register word keeps its own register number in its low two
// bits.
#include "fuzz/importcheck.h"

#include "tessarine/main_window.h"
#include "tessarine/settingsfile.h"
#include "tessarine/tessarineapp.h"

namespace {

void importAndCheckWords(tessarine::TessarineApp& app, const QString& path) {
    tessarine::ImportSettings(app, path);
    for (int n = 0; n < 4; ++n)
        FUZZ_CHECK(static_cast<int>(app.store().wordBits(n) & 0x3) == n);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzzcheck::startOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzcheck::checkImport<tessarine::TessarineApp>(data, size, importAndCheckWords,
                                                    tessarine::ExportSettings);
    return 0;
}
