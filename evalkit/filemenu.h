#pragma once
// The File menu items every front panel has: a settings file to read or to write, a
// configuration file of the radio-link tool to change or to create, and printing the panel.
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace evalkit {

class ProgramContext;

inline const QString SettingsFilter = QStringLiteral("Test Files (*.txt)|*.txt");
inline const QString ZantrelFilter = QStringLiteral("Test Files (*.ini)|*.ini");

// Asks for a settings file to read and hands it to `import`; nothing when cancelled.
void openSettingsFile(ProgramContext& app, const std::function<void(const QString&)>& import);
// Asks for a settings file to write (the dialog asks before it replaces one) and hands it to
// `save`.
void saveSettingsFile(ProgramContext& app, const std::function<void(const QString&)>& save);

// The two radio-link file items: modifying writes into a file that is there (the dialog takes
// only an existing file and asks nothing, since nothing is replaced); creating may replace one,
// and so asks first. `registersOnly` (-1 modify, 0 create) is stored only once a file was
// chosen.
void zantrelFileItem(ProgramContext& app, int16_t registersOnly, int16_t& IniRegistersOnly,
                     const std::function<void(const QString&)>& write);

// "&Print This Form": the panel's picture on the default printer, or a message why not.
void printWindow(ProgramContext& app, QWidget* window);

} // namespace evalkit
