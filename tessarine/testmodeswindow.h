#pragma once
// The test modes window: the function register's test mode, normal or random data to the
// MUXOUT pin. It sets the field and refreshes the read-outs; the function register goes to
// the chip from its Update button. The front panel's button shows it beside the panel.
#include "platform/form.h"

class QLabel;
class QPushButton;

namespace tessarine {

class TessarineApp;

class frmTestModes : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmTestModes";
    explicit frmTestModes(TessarineApp& app);

    void cmdNormTest_Click();
    void cmdWriteTest_Click();
    void cmdReturn_Click();

    QLabel* lblNote;
    QPushButton *cmdNormTest, *cmdWriteTest, *cmdReturn;

private:
    TessarineApp& app_;
};

} // namespace tessarine
