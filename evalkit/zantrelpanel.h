#pragma once
// The front panel of a program that also writes the radio-link tool's configuration files:
// its File menu (settings files, the two configuration-file items, printing, Exit) and its
// Settings menu are the same in each such program, over the program's own windows.
#include "evalkit/frontpanelwindow.h"

namespace evalkit {

class ZantrelPanel : public FrontPanelWindow {
    Q_OBJECT
public:
    // "&Save settings (.txt)", "&Modify existing Zantrel (.ini) file" and "&Create new
    // Zantrel .ini file with MAC defaults".
    void mnuWriteOmbrelle_Click();
    void mnuSave_Click();
    void mnuCreatenewini_Click();

    // The File and Settings menu items.
    QAction *mnuWriteOmbrelle = nullptr, *mnuSave = nullptr, *mnuCreatenewini = nullptr,
            *crystalmenu = nullptr, *mnuSync = nullptr, *mnuReadback = nullptr, *muxmenu = nullptr,
            *mnuClockOut = nullptr, *testmenu = nullptr, *registermenu = nullptr;

protected:
    // How the program writes a configuration file, and where it keeps whether the writer
    // updates an existing file (-1) or creates one with defaults (0).
    struct ZantrelFile {
        std::function<void(const QString&)> write;
        int16_t* IniRegistersOnly;
    };
    // The windows the Settings menu opens.
    struct SettingsWindows {
        std::function<QWidget*()> synthesizer, readback, muxOut, clockOut, registers;
    };
    // Those, by the context's accessors.
    template <class App> static SettingsWindows settingsWindows(App& app) {
        return {[&app] { return &app.synthform(); }, [&app] { return &app.frmReadback(); },
                [&app] { return &app.muxform(); }, [&app] { return &app.frmClockOut(); },
                [&app] {
                    return &app.frmRegisters();
                }};
    }
    ZantrelPanel(ProgramContext& app, const QString& title, SettingsFile settings,
                 ZantrelFile zantrel);
    // The settings file and the configuration file, by the program's procedures over its
    // context; the context's working values keep IniRegistersOnly.
    template <class App, class Import, class Save, class Write>
    ZantrelPanel(App& app, const QString& title, Import import, Save save, Write write)
        : ZantrelPanel(app, title, settingsFile(app, import, save),
                       {[&app, write](const QString& path) { write(app, path); },
                        &app.w().IniRegistersOnly}) {}

    // The File and Settings menus, then the program's own.
    void addMenus(const SettingsWindows& windows, const std::vector<Menu>& more);

private:
    void zantrelItem(int16_t registersOnly);

    ZantrelFile zantrel_;
};

} // namespace evalkit
