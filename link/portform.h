#pragma once
// The port window: the user tells which PC port the cable is connected to.
#include "link/registerstore.h"
#include "platform/form.h"

#include <optional>

class QRadioButton;
class QPushButton;
class QLabel;

namespace corvane::link {

class portform : public platform::Form {
    Q_OBJECT
public:
    explicit portform(CorvaneWorking& working, QWidget* parent = nullptr);

    void Form_Load() override;
    void Command1_Click(); // "Load Now"
    void Command2_Click(); // "Return to Front Panel"
    void Command3_Click(); // never shown

    QLabel* Label1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;

private:
    std::optional<int16_t> selectedAddress() const;
    CorvaneWorking& w_;
};

} // namespace corvane::link
