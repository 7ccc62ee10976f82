#pragma once
// The settings import of an arbitrary file into a fresh context of a program: whatever the file
// holds, nothing crashes, no message box blocks (recording services), the program does not end,
// every field of the chip's field table stays inside its bits, every register word the program
// builds keeps its own register number in its low bits, the file is left byte for byte as it
// was, and what was imported can be exported again.
#include "fuzz/fieldcheck.h"
#include "fuzz/fuzzcheck.h"

#include "board/simulatedboard.h"
#include "board/simulatedport.h"
#include "testing/recordingservices.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace fuzzcheck {

inline QTemporaryDir& importFolder() {
    static QTemporaryDir folder;
    return folder;
}

inline void startOffscreenApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    (void)importFolder();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The registers the refresh shows and the power-down register: a field that spilled into the
// register-number bits would send the word to another register.
template <class App> void checkRegisterNumbers(App& app) {
    const auto& transport = App::transport();
    std::vector<int> registers = transport.refreshOrder;
    if (transport.powerDownRegister)
        registers.push_back(*transport.powerDownRegister);
    for (int n : registers)
        FUZZ_CHECK(transport.chip.registerOf(app.store().wordBits(n)) == n);
}

template <class App, class Import, class Export>
void checkImport(const uint8_t* data, size_t size, Import importSettings, Export exportSettings) {
    const QString path = importFolder().filePath(QStringLiteral("settings.txt"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    {
        platform::RecordingServices services(App::programTitle());
        board::SimulatedBoard usb;
        board::SimulatedPort port;
        usb.setChip(App::transport().chip);
        port.setChip(App::transport().chip);
        App app(services.view(), usb, port);
        app.start();
        services.messages.clear();
        importSettings(app, path);
        checkRegisterNumbers(app);
        FUZZ_CHECK(!services.system.ended());
        checkEveryField(app.store());
        FUZZ_CHECK(readFile(path) == bytes);
        // What was imported can be exported again.
        const QString out = importFolder().filePath(QStringLiteral("export.txt"));
        QFile::remove(out);
        services.messages.clear();
        exportSettings(app, out);
        if (services.messages.messages.empty())
            FUZZ_CHECK(QFile::exists(out));
        checkEveryField(app.store());
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace fuzzcheck
