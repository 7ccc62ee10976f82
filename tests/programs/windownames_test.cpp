// Every window a program's context hands out is known by its design name: the window carries
// it as its objectName, the program finds it loaded under that name while it stands and not
// once it is unloaded, and a second reference finds the same window. A window known by another
// name than its own would be reported unloaded while it is open.
#include "../support/programfixture.h"

#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"
#include "corvane/windows.h"
#include "pellion/frontpanel.h"
#include "pellion/pellionapp.h"
#include "pellion/windows.h"
#include "tessarine/frontpanel.h"
#include "tessarine/tessarineapp.h"
#include "tessarine/windows.h"

#include <functional>
#include <utility>
#include <vector>

namespace {

using Opener = std::pair<const char*, std::function<platform::Form*()>>;

template <class App> void expectKnownByTheirNames(App& app, const std::vector<Opener>& windows) {
    app.start();
    EXPECT_EQ(app.main().objectName(), QStringLiteral("Main"));
    EXPECT_TRUE(app.isLoaded(QStringLiteral("Main")));
    for (const auto& [name, open] : windows) {
        SCOPED_TRACE(name);
        const QString designName = QString::fromLatin1(name);
        platform::Form* window = open();
        EXPECT_EQ(window->objectName(), designName);
        EXPECT_TRUE(app.isLoaded(designName));
        EXPECT_EQ(open(), window);
        window->unload();
        EXPECT_FALSE(app.isLoaded(designName));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A window by its accessor, which bears the window's design name.
#define WINDOW(w) Opener(#w, [&a] { return static_cast<platform::Form*>(&a.w()); })
// A window whose accessor is named after its role rather than its design name.
#define ROLE_WINDOW(name, accessor)                                                                \
    Opener(name, [&a] { return static_cast<platform::Form*>(&a.accessor()); })

// The windows of both transceiver programs.
template <class App> std::vector<Opener> transceiverWindows(App& a) {
    return {WINDOW(synthform),
            WINDOW(muxform),
            WINDOW(frmClockOut),
            WINDOW(frmReadback),
            WINDOW(frmDemod),
            WINDOW(frmGFSK),
            WINDOW(frmRegisters),
            WINDOW(frmAFC),
            WINDOW(frmAGC),
            WINDOW(frmSWD),
            ROLE_WINDOW("frmPowerdown", biasWindow),
            WINDOW(frmTestModes),
            WINDOW(frmPARamp),
            ROLE_WINDOW("frmPowerD", powerDownWindow)};
}

using CorvaneWindows = evaltest::ProgramFixture<corvane::CorvaneApp>;
using PellionWindows = evaltest::ProgramFixture<pellion::PellionApp>;
using TessarineWindows = evaltest::ProgramFixture<tessarine::TessarineApp>;

TEST_F(CorvaneWindows, AreKnownByTheirDesignNames) {
    corvane::CorvaneApp& a = *app;
    std::vector<Opener> windows = transceiverWindows(a);
    for (Opener w : {WINDOW(conversionform), WINDOW(frmIFCal), WINDOW(frmIRcal), WINDOW(frmSaveReg),
                     WINDOW(aboutform), WINDOW(revform), WINDOW(IBMhelpform), WINDOW(portform)})
        windows.push_back(w);
    expectKnownByTheirNames(a, windows);
}

TEST_F(PellionWindows, AreKnownByTheirDesignNames) {
    pellion::PellionApp& a = *app;
    expectKnownByTheirNames(a, transceiverWindows(a));
}

TEST_F(TessarineWindows, AreKnownByTheirDesignNames) {
    tessarine::TessarineApp& a = *app;
    // The bias window's accessor is named after its class, not its design name.
    expectKnownByTheirNames(
        a, {WINDOW(synthform), WINDOW(frmOtherFeatures),
            Opener("frmPowerdown", [&a] { return static_cast<platform::Form*>(&a.biasWindow()); }),
            WINDOW(frmTestModes), WINDOW(muxform), WINDOW(frmClockOut), WINDOW(frmRegisters),
            WINDOW(portform), WINDOW(aboutform), WINDOW(revform), WINDOW(IBMhelpform)});
}

} // namespace
