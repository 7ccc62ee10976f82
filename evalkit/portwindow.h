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
    QString prompt; // above the options
    QString store;  // storeButton: remembers the chosen port
    QString leave;  // leaveButton: closes the window
    // storeButton also closes the window ("OK"), or the window stays open ("Load Now").
    bool storeCloses = false;
};

class portform : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "portform";
    portform(const PortTexts& texts, reglink::TransportValues& values, QWidget* parent = nullptr);

    void Form_Load() override;
    void storeButton_Click();
    void leaveButton_Click();
    void hiddenButton_Click(); // never shown

    QLabel* prompt;            // Label1
    QRadioButton* lpt1;        // Option1
    QRadioButton* lpt2;        // Option2
    QRadioButton* prn;         // Option3
    QPushButton* storeButton;  // Command1
    QPushButton* leaveButton;  // Command2
    QPushButton* hiddenButton; // Command3

private:
    std::optional<int16_t> selectedAddress() const;
    reglink::TransportValues& v_;
    bool storeCloses_;
};

} // namespace evalkit
