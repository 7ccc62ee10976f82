#pragma once
// The readback window: reads one of the chip's readback quantities through the readback
// register and shows it converted to engineering units, with the ADC switch of the power-down
// register that transmit mode needs. The list, the register-7 fields it sets and the writes are
// the same for every chip; each program gives its texts and its conversion of the answer.
#include "evalkit/fieldref.h"
#include "platform/form.h"
#include "platform/messages.h"
#include "platform/toggle.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace evalkit {

class ProgramContext;

struct ReadbackDescription {
    QString caption;      // the window's title
    QString valueCaption; // beside the raw answer
    QString note;         // beside the ADC switch
    // The load shows the ADC switch as the power-down register's ADC enable stands, without
    // writing that register; otherwise the switch keeps what it showed when it was created.
    bool loadShowsAdcEnable = false;
    // The fields the window sets, found by name in the chip's field table.
    const char* adcModeField = "ReadbackAdcModeField";
    const char* selectField = "ReadbackSelectField";
    const char* enableField = "ReadbackEnableField";
    const char* adcEnableField = "AdcEnableField";
};

// What the program makes of one answer of the chip.
struct ReadbackAnswer {
    QString lblReadbackDisplay;                        // the raw answer in decimal
    std::optional<QString> lblReadbackSpecificDisplay; // nullopt: the label stays as it is
    int32_t ReadbackValue = 0; // the answer as the conversion leaves it (masked or not)
    std::vector<platform::Message> messages; // shown once the texts are up
    std::function<void()> thenApply;         // what else the answer changes, after the messages
};

struct ReadbackHooks {
    // The program's working value that remembers the list entry and chooses the conversion.
    int32_t* ReadbackMode = nullptr;
    std::function<ReadbackAnswer(int32_t mode, int32_t raw)> convert;
    // The front panel's direction: true transmit, false receive, nullopt when neither option is
    // chosen.
    std::function<std::optional<bool>()> transmitting;

    // The direction as the front panel's transmit and receive options show it (the options
    // outlive the window).
    static std::function<std::optional<bool>()> directionOf(const QAbstractButton* tx,
                                                            const QAbstractButton* rx);
};

// The texts and the value of a conversion result that names them as the answer does.
template <class Result> ReadbackAnswer answerOf(const Result& r) {
    ReadbackAnswer a;
    a.lblReadbackDisplay = r.lblReadbackDisplay;
    a.lblReadbackSpecificDisplay = r.lblReadbackSpecificDisplay;
    a.ReadbackValue = r.ReadbackValue;
    return a;
}

class frmReadback : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmReadback";
    frmReadback(ProgramContext& app, const ReadbackDescription& description, ReadbackHooks hooks);

    void Form_Load() override;
    void cmbReadback_Click();
    void cmdReadback_Click();
    void Tog_ADC_Enable_Change();
    void returnToPanel_Click();

    QLabel* typeCaption; // Label1
    QComboBox* cmbReadback;
    QPushButton* cmdReadback;
    QLabel* valueCaption; // Label6
    QLabel* lblReadbackDisplay;
    QLabel* lblReadbackSpecificDisplay;
    QGroupBox* ADC_Status;
    platform::Toggle* Tog_ADC_Enable;
    QLabel* adcNote;            // Label5
    QPushButton* returnToPanel; // Command2

protected:
    void closeBox() override { returnToPanel_Click(); }

private:
    ProgramContext& app_;
    const ReadbackDescription& d_;
    ReadbackHooks hooks_;
    FieldRef adcMode_, select_, enable_, adcEnable_;
};

} // namespace evalkit
