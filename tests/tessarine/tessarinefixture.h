#pragma once
// A fresh tessarine-eval per test: recording services and board back ends, the real windows on
// the offscreen platform.
#include "../support/programfixture.h"

#include "tessarine/tessarineapp.h"
#include "tessarine/windows.h"

#include <QApplication>

namespace tessarine::test {

using Mark = reglink::RegisterReadout::Mark;

// The parallel port is a recording back end by default; tests of what the chip decodes use
// the simulated port instead.
template <class Port> struct BasicTessarineFixture : evaltest::ProgramFixture<TessarineApp, Port> {
    // The four read-outs, R, N, modulation, function.
    std::vector<QString> readoutTexts() {
        std::vector<QString> texts;
        for (int n = 0; n < 4; ++n)
            texts.push_back(this->app->main().readout(n)->text());
        return texts;
    }
    std::vector<Mark> readoutMarks() {
        std::vector<Mark> marks;
        for (int n = 0; n < 4; ++n)
            marks.push_back(this->app->main().readout(n)->mark());
        return marks;
    }
};

using TessarineFixture = BasicTessarineFixture<board::RecordingParllio>;
using TessarineOverSimulatedPort = BasicTessarineFixture<board::SimulatedPort>;

inline const std::vector<QString> PowerOnReadouts{
    QStringLiteral("0x86000"), QStringLiteral("0x3AE2A9"), QStringLiteral("0x85F02"),
    QStringLiteral("0x55A08F")};
inline const std::vector<uint32_t> PowerOnWords{0x86000u, 0x3AE2A9u, 0x85F02u, 0x55A08Fu};

inline std::vector<Mark> allMarks(Mark m) {
    return {m, m, m, m};
}

// The visible top-level window called `name`, or nullptr.
inline QWidget* shownWindow(const QString& name) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == name && top->isVisible())
            return top;
    return nullptr;
}

} // namespace tessarine::test

namespace reglink {
inline void PrintTo(RegisterReadout::Mark m, std::ostream* os) {
    switch (m) {
    case RegisterReadout::Mark::Changed:
        *os << "Changed";
        break;
    case RegisterReadout::Mark::Normal:
        *os << "Normal";
        break;
    case RegisterReadout::Mark::ButtonFace:
        *os << "ButtonFace";
        break;
    }
}
} // namespace reglink
