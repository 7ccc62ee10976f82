#pragma once
// The settings text file shared with the maker's radio design tool, and the
// configuration file of the radio-link tool.
#include <QString>

namespace corvane {

class CorvaneApp;

void ExportSettings(CorvaneApp& app, const QString& path);
void ImportSettings(CorvaneApp& app, const QString& path);
void WriteZantrelIni(CorvaneApp& app, const QString& path);

} // namespace corvane
