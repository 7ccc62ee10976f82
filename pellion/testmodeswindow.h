#pragma once
// The test-mode window: one of the chip's test words, chosen from a list and written as a
// whole word past the field store. No control of the program opens it.
#include "platform/form.h"

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace pellion {

class PellionApp;

// The test word of each list entry; the last entry has none and leaves the word as it was.
std::optional<double> testModeWord(int listIndex);

class frmTestModes : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmTestModes";
    explicit frmTestModes(PellionApp& app);

    void cmdTestModeWrite_Click();

    QComboBox* cmbTestList;
    QPushButton* cmdTestModeWrite;
    QLabel* lblTestMode;

private:
    bool send();

    PellionApp& app_;
};

} // namespace pellion
