#include "tessarine/testmodeswindow.h"

#include "evalkit/fielddialog.h"

#include "platform/named.h"
#include "tessarine/tessarineapp.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessarine {

namespace {

constexpr int32_t NormalMode = 0;
// Test mode 4 in bits 28-31: random data to MUXOUT.
constexpr int32_t RandomDataToMuxout = int32_t{4} << 28;

} // namespace

frmTestModes::frmTestModes(TessarineApp& app) : app_(app) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Testmodes"));

    lblNote = platform::namedLabel(
        "lblNote", QStringLiteral("Note: Ensure correct MuxOut option is selected"));
    cmdNormTest = platform::namedButton("cmdNormTest", QStringLiteral("Write"));
    cmdWriteTest = platform::namedButton("cmdWriteTest", QStringLiteral("Write"));
    cmdReturn = platform::namedButton("cmdReturn", QStringLiteral("Return to Front Panel"));
    for (QPushButton* b : {cmdNormTest, cmdWriteTest})
        b->setAutoDefault(false);

    auto* modes = new QGroupBox(QStringLiteral("Test Modes"));
    auto* grid = new QGridLayout(modes);
    auto* normal = platform::namedLabel("lblNormal", QStringLiteral("Normal Mode:"));
    auto* random = platform::namedLabel("lblRandom", QStringLiteral("Rnd Data to MuxOut:"));
    normal->setBuddy(cmdNormTest);
    random->setBuddy(cmdWriteTest);
    grid->addWidget(normal, 0, 0);
    grid->addWidget(cmdNormTest, 0, 1);
    grid->addWidget(random, 1, 0);
    grid->addWidget(cmdWriteTest, 1, 1);
    grid->setColumnStretch(0, 1);

    auto* foot = evalkit::dialog::footer({cmdReturn});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modes);
    layout->addWidget(lblNote);
    layout->addLayout(foot);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdNormTest, &QPushButton::clicked, this, &frmTestModes::cmdNormTest_Click);
    connect(cmdWriteTest, &QPushButton::clicked, this, &frmTestModes::cmdWriteTest_Click);
    connect(cmdReturn, &QPushButton::clicked, this, &frmTestModes::cmdReturn_Click);
}

void frmTestModes::cmdNormTest_Click() {
    app_.f().TestModeField = NormalMode;
    app_.fnGuiWrite();
}

void frmTestModes::cmdWriteTest_Click() {
    app_.f().TestModeField = RandomDataToMuxout;
    app_.fnGuiWrite();
}

void frmTestModes::cmdReturn_Click() {
    unload();
}

} // namespace tessarine
