#pragma once
// The Gaussian set-up window: the divider number, index counter and mod control of R2 for GFSK
// and GOOK, the deviation and data rate they give, pushed into the front panel's boxes.
#include "evalkit/gaussianwindow.h"
#include "pellion/calc/gfsk.h"
#include "pellion/calc/settingsplan.h"
#include "pellion/model/registerstore.h"

class QLabel;

namespace pellion {

class PellionApp;

class frmGFSK : public evalkit::GaussianWindow {
    Q_OBJECT
public:
    explicit frmGFSK(PellionApp& app);

    void Form_Load() override;
    // Both are called through the window by the front panel (a settings import runs them
    // without showing it).
    void CmdCalculate_Click();
    void cmdUpdate_Click();

    // A settings file's Gaussian settings go into the fields the window's calculation starts
    // from (the modulation handler runs it next), and come from them; the window need not be
    // loaded.
    static void storeSettings(PellionFields& f, const calc::GaussianPlan& p);
    static calc::GaussianRecord settingsInForce(const PellionFields& f);

    // Besides the Gaussian window's controls.
    QLabel* divideBy2Note; // Label6
    QLabel* LabelGOOK;

private:
    calc::GfskInputs inputs() const;
    // The front panel's deviation and data-rate plans as they stand, for checking what this
    // window's calculation would push into them.
    calc::GfskFollowUps followUps() const;

    PellionApp& app_;
};

} // namespace pellion
