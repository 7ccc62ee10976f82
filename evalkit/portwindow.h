#pragma once
// The port window: the user tells which PC port the cable is connected to. The choice is only
// remembered (PortformAddress); every write still goes to the data port chosen at start-up.
#include "link/registerfile.h"
#include "platform/form.h"

#include <QString>
#include <optional>

class QRadioButton;
class QPushButton;
class QLabel;

namespace evalkit {

struct PortTexts {
    QString prompt; // Label1
    QString store;  // Command1: remembers the chosen port
    QString leave;  // Command2: closes the window
    // Command1 also closes the window ("OK"), or the window stays open ("Load Now").
    bool storeCloses = false;
};

class portform : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "portform";
    portform(const PortTexts& texts, reglink::TransportValues& values, QWidget* parent = nullptr);

    void Form_Load() override;
    void Command1_Click();
    void Command2_Click();
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
    reglink::TransportValues& v_;
    bool storeCloses_;
};

} // namespace evalkit
