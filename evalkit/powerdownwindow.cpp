#include "evalkit/powerdownwindow.h"

#include "evalkit/fielddialog.h"
#include "evalkit/programcontext.h"
#include "platform/named.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>

namespace evalkit {

PowerDownDescription PowerDownDescription::transceiver(std::optional<Switch> vcoSwitch) {
    PowerDownDescription d;
    d.switches.push_back({"TogSynth", QStringLiteral("Synthesizer"), "SynthEnableField"});
    if (vcoSwitch)
        d.switches.push_back(*vcoSwitch);
    d.switches.insert(d.switches.end(),
                      {{"TogLNA", QStringLiteral("LNA/Mixer"), "LnaEnableField"},
                       {"TogFilter", QStringLiteral("Filter"), "FilterEnableField"},
                       {"TogDemod", QStringLiteral("Demod"), "DemodEnableField"},
                       {"TogLogAMP", QStringLiteral("Log Amp"), "LogAmpEnableField"},
                       {"TogTXRXSwitch", QStringLiteral("Internal Tx/RX Switch"),
                        "TxRxSwitchEnableField", false}});
    return d;
}

PowerDownWindow::PowerDownWindow(ProgramContext& app, const PowerDownDescription& description)
    : app_(app), d_(description) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Power Down"));

    blocksFrame =
        platform::named(new QGroupBox(QStringLiteral("Individual Block Power Down")), "Frame1");
    auto* grid = new QGridLayout(blocksFrame);
    blocks_.reserve(d_.switches.size());
    int row = 0;
    for (const PowerDownDescription::Switch& s : d_.switches) {
        platform::Toggle* t = platform::namedToggle(s.name);
        if (platform::Toggle** slot = member(s.name))
            *slot = t;
        auto* caption = new QLabel(s.caption);
        caption->setBuddy(t);
        grid->addWidget(caption, row, 0);
        grid->addWidget(t, row, 1);
        ++row;
        blocks_.push_back({t, FieldRef(app, s.field), s.onAtLoad});
    }
    grid->setColumnStretch(0, 1);

    loadNow = platform::namedButton("Command3", QStringLiteral("Load Now"));
    loadNow->setToolTip(QStringLiteral("Update Brisquel"));
    returnToPanel = dialog::returnButton("Command1");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(loadNow);
    buttons->addStretch();
    buttons->addWidget(returnToPanel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(blocksFrame);
    layout->addLayout(buttons);

    // The blocks stay where they are from here on, so each switch keeps its own.
    for (Block& b : blocks_)
        connect(b.toggle, &platform::Toggle::toggled, this, [this, &b] { switchChanged(b); });
    connect(loadNow, &QPushButton::clicked, this, &PowerDownWindow::loadNow_Click);
    connect(returnToPanel, &QPushButton::clicked, this, &PowerDownWindow::returnToPanel_Click);
}

platform::Toggle** PowerDownWindow::member(const char* name) {
    const std::pair<const char*, platform::Toggle**> members[] = {
        {"TogSynth", &TogSynth}, {"TogLNA", &TogLNA},       {"TogFilter", &TogFilter},
        {"TogDemod", &TogDemod}, {"TogLogAMP", &TogLogAMP}, {"TogTXRXSwitch", &TogTXRXSwitch},
        {"TogVCO", &TogVCO},
    };
    for (const auto& [n, slot] : members) {
        if (std::strcmp(n, name) == 0)
            return slot;
    }
    return nullptr;
}

void PowerDownWindow::Form_Load() {
    for (Block& b : blocks_) {
        // A switch set from code runs its handler only when it moves; the load wants every
        // field to match its switch, so an unmoved switch stores its field here.
        if (b.toggle->isOn() == b.onAtLoad)
            switchChanged(b);
        else
            b.toggle->setOn(b.onAtLoad);
    }
}

void PowerDownWindow::switchChanged(Block& block) {
    block.field.store(block.toggle->isOn() ? block.field.unit() : 0);
}

void PowerDownWindow::loadNow_Click() {
    // Show the words the switches make; nothing goes to the board.
    app_.UpdateAllRegisterLabels();
}

void PowerDownWindow::returnToPanel_Click() {
    unload();
}

} // namespace evalkit
