#include "evalkit/programcontext.h"

#include <QComboBox>

namespace evalkit {

ProgramContext::ProgramContext(platform::PlatformServices services) : services_(services) {}

ProgramContext::~ProgramContext() = default;

void ProgramContext::show(const std::vector<platform::Message>& messages) {
    platform::showMessages(*services_.messages, messages);
}

void ProgramContext::writeRegister(int n) {
    link().values().RegisterSelect = static_cast<uint8_t>(n);
    WriteRegister();
}

bool ProgramContext::isLoaded(const QString& windowName) const {
    if (windowName == QStringLiteral("Main"))
        return mainLoaded();
    return windows_.isLoaded(windowName);
}

int ProgramContext::motherboardIndex() const {
    const QComboBox* list = motherboardList();
    return list ? list->currentIndex() : -1;
}

} // namespace evalkit
