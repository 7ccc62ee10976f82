#pragma once
// A window the front panel already opens whose settings are not in this program yet: its
// caption and a way back to the front panel, nothing that touches the chip or the fields.
#include "platform/form.h"

class QPushButton;

namespace pellion {

class PendingWindow : public platform::Form {
    Q_OBJECT
public:
    PendingWindow(const char* name, const QString& caption);

    void cmdReturn_Click();

    QPushButton* cmdReturn;
};

} // namespace pellion
