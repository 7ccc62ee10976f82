#include "evalkit/zantrelpanel.h"

#include "evalkit/filemenu.h"
#include "evalkit/programcontext.h"

#include <QMenuBar>

namespace evalkit {

ZantrelPanel::ZantrelPanel(ProgramContext& app, const QString& title, SettingsFile settings,
                           ZantrelFile zantrel)
    : FrontPanelWindow(app, title, std::move(settings)), zantrel_(std::move(zantrel)) {}

void ZantrelPanel::mnuWriteOmbrelle_Click() {
    saveSettingsFile();
}

void ZantrelPanel::mnuSave_Click() {
    zantrelItem(-1);
}

void ZantrelPanel::mnuCreatenewini_Click() {
    zantrelItem(0);
}

void ZantrelPanel::zantrelItem(int16_t registersOnly) {
    zantrelFileItem(context(), registersOnly, *zantrel_.IniRegistersOnly, zantrel_.write);
}

void ZantrelPanel::addMenus(const SettingsWindows& windows, const std::vector<Menu>& more) {
    std::vector<Menu> menus = {
        {"mnuFile",
         QStringLiteral("&File"),
         {
             openItem(),
             {&mnuWriteOmbrelle, "mnuWriteOmbrelle", QStringLiteral("&Save settings (.txt)"),
              [this] {
                  mnuWriteOmbrelle_Click();
              }},
             {&mnuSave, "mnuSave", QStringLiteral("&Modify existing Zantrel (.ini) file"),
              [this] {
                  mnuSave_Click();
              }},
             {&mnuCreatenewini, "mnuCreatenewini",
              QStringLiteral("&Create new Zantrel .ini file with MAC defaults"),
              [this] {
                  mnuCreatenewini_Click();
              }},
             printItem(),
             exitItem(QStringLiteral("E&xit")),
         }},
        {"mnuSettings",
         QStringLiteral("&Settings"),
         {
             {&crystalmenu, "crystalmenu", QStringLiteral("&Synthesizer Settings"),
              showsModal(windows.synthesizer)},
             // "&Sync Word Detect" opens the readback window; the sync-word window opens from
             // its status button.
             {&mnuSync, "mnuSync", QStringLiteral("&Sync Word Detect"),
              showsModal(windows.readback)},
             {&mnuReadback, "mnuReadback", QStringLiteral("&Readback (AFC/RSSI etc.)"),
              showsModal(windows.readback)},
             {&muxmenu, "muxmenu", QStringLiteral("&Muxout"), showsModal(windows.muxOut)},
             {&mnuClockOut, "mnuClockOut", QStringLiteral("&Clock Out Divide"),
              showsModal(windows.clockOut)},
             // "&Test Modes" does nothing: no menu item opens the test-mode window.
             {&testmenu, "testmenu", QStringLiteral("&Test Modes")},
             {&registermenu, "registermenu", QStringLiteral("Re&gisters"),
              showsModal(windows.registers)},
         }},
    };
    menus.insert(menus.end(), more.begin(), more.end());
    evalkit::addMenus(menuBar(), this, menus);
}

} // namespace evalkit
