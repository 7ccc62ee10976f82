#pragma once
// A pocket calculator for levels: dBm, volts and dB. It touches no register.
#include "platform/form.h"

#include <QString>
#include <optional>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvane {

class CorvaneApp;

enum class LevelConversion { DbmToVolt, VoltToDbm, DbToVolt, VoltToDb };

// The converted value of x; nullopt where the conversion has no finite answer
// (a logarithm of a level that is not positive, or a result beyond a double).
std::optional<double> convertLevel(LevelConversion conversion, double x);

// The answer as the calculator shows it: "#0.00000", or "undefined".
QString levelAnswer(LevelConversion conversion, double x);

class conversionform : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "conversionform";
    explicit conversionform(CorvaneApp& app);

    void Form_Load() override;
    void performConversion_Click();
    void returnToPanel_Click();

    QLineEdit* level;               // Text1, the value converted
    QRadioButton* dBmToVolt;        // Option1
    QRadioButton* voltToDbm;        // Option2
    QRadioButton* dBToVolt;         // Option3
    QRadioButton* voltToDb;         // Option4
    QLineEdit* answer;              // Text2
    QPushButton* performConversion; // Command1
    QPushButton* returnToPanel;     // Command3
    QGroupBox* usefulLinks;         // Frame1
    QLineEdit* usefulLink;          // Text3

private:
    std::optional<LevelConversion> chosenConversion() const;

    CorvaneApp& app_;
};

} // namespace corvane
