#include "evalkit/filemenu.h"

#include "evalkit/programcontext.h"

namespace evalkit {

void openSettingsFile(ProgramContext& app, const std::function<void(const QString&)>& import) {
    const QString path = app.services().files->openFileName(SettingsFilter);
    if (!path.isEmpty())
        import(path);
}

void saveSettingsFile(ProgramContext& app, const std::function<void(const QString&)>& save) {
    const QString path = app.services().files->saveFileName(SettingsFilter);
    if (!path.isEmpty())
        save(path);
}

void zantrelFileItem(ProgramContext& app, int16_t registersOnly, int16_t& IniRegistersOnly,
                     const std::function<void(const QString&)>& write) {
    platform::FileDialogService& files = *app.services().files;
    const bool modify = registersOnly != 0;
    const QString path =
        modify ? files.modifyFileName(ZantrelFilter) : files.saveFileName(ZantrelFilter);
    if (path.isEmpty())
        return; // cancelled: IniRegistersOnly stays as it was
    IniRegistersOnly = registersOnly;
    write(path);
}

void printWindow(ProgramContext& app, QWidget* window) {
    if (const auto error = app.services().printer->printWindow(window))
        app.messages().message(*error, platform::MsgIcon::Exclamation);
}

} // namespace evalkit
