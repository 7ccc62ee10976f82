#pragma once
// The divide ratio of the chip's clock output: code c of the chip's clock-out field divides
// the crystal by 2c. The window only sets the field and the front panel's caption; the
// register goes to the chip from the front panel's Update button.
#include "evalkit/fieldref.h"
#include "platform/form.h"

#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace platform {
class Selector;
}

namespace evalkit {

class ProgramContext;

struct ClockOutDescription {
    const char* field = "ClockOutField";
    // A chip with an enable field turns the output off with it (the divide field then holds 1);
    // without one, code 0 is off.
    const char* enableField = nullptr;
    QString crystalCaption = QStringLiteral("Crystal Frequency  :");
    QString offText = QStringLiteral("OFF");
    const char16_t* crystalPattern = u"#0.000";
    // What follows the output frequency the load shows (the selector's changes always show
    // " MHz").
    QString loadedOutputUnit = QStringLiteral(" MHz");
    // Position 0 is captioned with offText always, or only when the window opens with the
    // output off.
    bool offCaptionAlways = false;
};

class frmClockOut : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmClockOut";
    // frontPanelLabel: LblClockout; crystalMHz: the crystal frequency the ratios divide.
    frmClockOut(ProgramContext& app, const ClockOutDescription& description,
                QLabel* frontPanelLabel, std::function<float()> crystalMHz);

    void Form_Load() override;
    // Stores the selector's code and shows the resulting frequency here and on the front
    // panel. Until a position is chosen (the window was opened with a stored value that is no
    // position) it changes nothing.
    void UpdateClockout();
    void SelClockoutDivide_Change();
    void cmdokclock_Click();

    // A settings file's position of the selector, and the output updated from it; the position
    // a settings file holds.
    void applySetting(int position);
    int settingPosition() const;

    platform::Selector* SelClockoutDivide;
    QLabel *lblcrystalfreq, *lblclkoutfrequency;
    QPushButton* cmdokclock;

protected:
    // Closing the window keeps the choice, as the return button does.
    void closeBox() override { cmdokclock_Click(); }
    // A window loaded unseen (by the synthesizer's plan, or a settings file) shows the crystal
    // in force whenever it is shown, not the one it was loaded with.
    void showEvent(QShowEvent* event) override;

private:
    void showCrystal();
    QString outputText(int ratio, const QString& unit = QStringLiteral(" MHz")) const;
    std::optional<int> storedPosition() const;

    ProgramContext& app_;
    const ClockOutDescription& d_;
    FieldRef field_;
    std::optional<FieldRef> enable_;
    QLabel* frontPanelLabel_;
    std::function<float()> crystalMHz_;
    bool positionChosen_ = false;
};

} // namespace evalkit
