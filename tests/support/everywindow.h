#pragma once
// Every window each program's context hands out, as the tests that go through all of them open
// them: each accessor creates and loads its window on first reference.
#include "corvane/corvaneapp.h"
#include "corvane/windows.h"
#include "pellion/pellionapp.h"
#include "pellion/windows.h"
#include "tessarine/tessarineapp.h"
#include "tessarine/windows.h"

#include <QWidget>

#include <functional>
#include <vector>

namespace evaltest {

using WindowOpener = std::function<QWidget*()>;

inline std::vector<WindowOpener> everyWindow(corvane::CorvaneApp& a) {
    return {
        [&] { return &a.synthform(); },       [&] { return &a.muxform(); },
        [&] { return &a.frmClockOut(); },     [&] { return &a.conversionform(); },
        [&] { return &a.frmDemod(); },        [&] { return &a.frmIFCal(); },
        [&] { return &a.frmReadback(); },     [&] { return &a.frmAFC(); },
        [&] { return &a.frmAGC(); },          [&] { return &a.frmSWD(); },
        [&] { return &a.frmTestModes(); },    [&] { return &a.biasWindow(); },
        [&] { return &a.frmPARamp(); },       [&] { return &a.frmIRcal(); },
        [&] { return &a.powerDownWindow(); }, [&] { return &a.frmGFSK(); },
        [&] { return &a.frmRegisters(); },    [&] { return &a.frmSaveReg(); },
        [&] { return &a.aboutform(); },       [&] { return &a.revform(); },
        [&] { return &a.IBMhelpform(); },     [&] { return &a.portform(); },
    };
}

inline std::vector<WindowOpener> everyWindow(pellion::PellionApp& a) {
    return {
        [&] { return &a.synthform(); },    [&] { return &a.muxform(); },
        [&] { return &a.frmClockOut(); },  [&] { return &a.frmReadback(); },
        [&] { return &a.frmDemod(); },     [&] { return &a.frmGFSK(); },
        [&] { return &a.frmRegisters(); }, [&] { return &a.frmAFC(); },
        [&] { return &a.frmAGC(); },       [&] { return &a.frmSWD(); },
        [&] { return &a.biasWindow(); },   [&] { return &a.frmTestModes(); },
        [&] { return &a.frmPARamp(); },
    };
}

inline std::vector<WindowOpener> everyWindow(tessarine::TessarineApp& a) {
    return {
        [&] { return &a.synthform(); },    [&] { return &a.frmOtherFeatures(); },
        [&] { return &a.biasWindow(); },   [&] { return &a.frmTestModes(); },
        [&] { return &a.muxform(); },      [&] { return &a.frmClockOut(); },
        [&] { return &a.frmRegisters(); }, [&] { return &a.portform(); },
        [&] { return &a.aboutform(); },    [&] { return &a.revform(); },
        [&] { return &a.IBMhelpform(); },
    };
}

} // namespace evaltest
