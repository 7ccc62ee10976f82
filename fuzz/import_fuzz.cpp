// The settings import of an arbitrary file into a fresh program context: whatever the file
// holds, nothing crashes, no message box blocks (recording services), the program does not
// end, and every register word keeps its own register number in its low four bits.
#include "fuzz/fuzzcheck.h"

#include "board/simulatedboard.h"
#include "board/simulatedport.h"
#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "corvane/settingsfile.h"
#include "corvane/zantrelfile.h"
#include "platform/services.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

std::unique_ptr<QTemporaryDir> folder;

// The registers whose words carry their number in bits 3..0.
constexpr int Registers[] = {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 15};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    folder = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = folder->filePath(QStringLiteral("settings.txt"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }
    {
        platform::RecordingServices services;
        board::SimulatedBoard usb;
        board::SimulatedPort port;
        corvane::CorvaneApp app(services.view(), usb, port);
        app.start();
        services.messages.clear();
        corvane::ImportSettings(app, path);
        FUZZ_CHECK(!services.system.ended());
        for (int n : Registers)
            FUZZ_CHECK(static_cast<int>(app.store().wordBits(n) & 0xF) == n);
        // What was imported can be exported again.
        const QString out = folder->filePath(QStringLiteral("export.txt"));
        QFile::remove(out);
        services.messages.clear();
        corvane::ExportSettings(app, out);
        if (services.messages.messages.empty())
            FUZZ_CHECK(QFile::exists(out));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
