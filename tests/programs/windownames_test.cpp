// Every window a program's context hands out is known by its design name: the window carries
// it as its objectName, the program finds it loaded under that name while it stands and not
// once it is unloaded, and a second reference finds the same window. A window known by another
// name than its own would be reported unloaded while it is open.
#include "../support/programfixture.h"

#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "corvane/windows.h"
#include "pellion/main_window.h"
#include "pellion/pellionapp.h"
#include "pellion/windows.h"
#include "tessarine/main_window.h"
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

using CorvaneWindows = evaltest::ProgramFixture<corvane::CorvaneApp>;
using PellionWindows = evaltest::ProgramFixture<pellion::PellionApp>;
using TessarineWindows = evaltest::ProgramFixture<tessarine::TessarineApp>;

TEST_F(CorvaneWindows, AreKnownByTheirDesignNames) {
    corvane::CorvaneApp& a = *app;
    expectKnownByTheirNames(a, {
                                   {"synthform",
                                    [&] {
                                        return &a.synthform();
                                    }},
                                   {"muxform",
                                    [&] {
                                        return &a.muxform();
                                    }},
                                   {"frmClockOut",
                                    [&] {
                                        return &a.frmClockOut();
                                    }},
                                   {"conversionform",
                                    [&] {
                                        return &a.conversionform();
                                    }},
                                   {"frmDemod",
                                    [&] {
                                        return &a.frmDemod();
                                    }},
                                   {"frmIFCal",
                                    [&] {
                                        return &a.frmIFCal();
                                    }},
                                   {"frmReadback",
                                    [&] {
                                        return &a.frmReadback();
                                    }},
                                   {"frmAFC",
                                    [&] {
                                        return &a.frmAFC();
                                    }},
                                   {"frmAGC",
                                    [&] {
                                        return &a.frmAGC();
                                    }},
                                   {"frmSWD",
                                    [&] {
                                        return &a.frmSWD();
                                    }},
                                   {"frmTestModes",
                                    [&] {
                                        return &a.frmTestModes();
                                    }},
                                   {"frmPowerdown",
                                    [&] {
                                        return &a.frmPowerdown();
                                    }},
                                   {"frmPARamp",
                                    [&] {
                                        return &a.frmPARamp();
                                    }},
                                   {"frmIRcal",
                                    [&] {
                                        return &a.frmIRcal();
                                    }},
                                   {"frmPowerD",
                                    [&] {
                                        return &a.frmPowerD();
                                    }},
                                   {"frmGFSK",
                                    [&] {
                                        return &a.frmGFSK();
                                    }},
                                   {"frmRegisters",
                                    [&] {
                                        return &a.frmRegisters();
                                    }},
                                   {"frmSaveReg",
                                    [&] {
                                        return &a.frmSaveReg();
                                    }},
                                   {"aboutform",
                                    [&] {
                                        return &a.aboutform();
                                    }},
                                   {"revform",
                                    [&] {
                                        return &a.revform();
                                    }},
                                   {"IBMhelpform",
                                    [&] {
                                        return &a.IBMhelpform();
                                    }},
                                   {"portform",
                                    [&] {
                                        return &a.portform();
                                    }},
                               });
}

TEST_F(PellionWindows, AreKnownByTheirDesignNames) {
    pellion::PellionApp& a = *app;
    expectKnownByTheirNames(a, {
                                   {"synthform",
                                    [&] {
                                        return &a.synthform();
                                    }},
                                   {"muxform",
                                    [&] {
                                        return &a.muxform();
                                    }},
                                   {"frmClockOut",
                                    [&] {
                                        return &a.frmClockOut();
                                    }},
                                   {"frmReadback",
                                    [&] {
                                        return &a.frmReadback();
                                    }},
                                   {"frmDemod",
                                    [&] {
                                        return &a.frmDemod();
                                    }},
                                   {"frmGFSK",
                                    [&] {
                                        return &a.frmGFSK();
                                    }},
                                   {"frmRegisters",
                                    [&] {
                                        return &a.frmRegisters();
                                    }},
                                   {"frmAFC",
                                    [&] {
                                        return &a.frmAFC();
                                    }},
                                   {"frmAGC",
                                    [&] {
                                        return &a.frmAGC();
                                    }},
                                   {"frmSWD",
                                    [&] {
                                        return &a.frmSWD();
                                    }},
                                   {"frmPowerdown",
                                    [&] {
                                        return &a.frmPowerdown();
                                    }},
                                   {"frmTestModes",
                                    [&] {
                                        return &a.frmTestModes();
                                    }},
                                   {"frmPARamp",
                                    [&] {
                                        return &a.frmPARamp();
                                    }},
                                   {"frmPowerD",
                                    [&] {
                                        return &a.frmPowerD();
                                    }},
                               });
}

TEST_F(TessarineWindows, AreKnownByTheirDesignNames) {
    tessarine::TessarineApp& a = *app;
    expectKnownByTheirNames(a, {
                                   {"synthform",
                                    [&] {
                                        return &a.synthform();
                                    }},
                                   {"frmOtherFeatures",
                                    [&] {
                                        return &a.frmOtherFeatures();
                                    }},
                                   {"frmPowerdown",
                                    [&] {
                                        return &a.frmPowerdown();
                                    }},
                                   {"frmTestModes",
                                    [&] {
                                        return &a.frmTestModes();
                                    }},
                                   {"muxform",
                                    [&] {
                                        return &a.muxform();
                                    }},
                                   {"frmClockOut",
                                    [&] {
                                        return &a.frmClockOut();
                                    }},
                                   {"frmRegisters",
                                    [&] {
                                        return &a.frmRegisters();
                                    }},
                                   {"portform",
                                    [&] {
                                        return &a.portform();
                                    }},
                                   {"aboutform",
                                    [&] {
                                        return &a.aboutform();
                                    }},
                                   {"revform",
                                    [&] {
                                        return &a.revform();
                                    }},
                                   {"IBMhelpform",
                                    [&] {
                                        return &a.IBMhelpform();
                                    }},
                               });
}

} // namespace
