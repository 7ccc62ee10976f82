#pragma once
// The AGC window: mode, manual LNA and IF filter gains and the two AGC
// thresholds of register 9. It edits the field store only.
#include "platform/form.h"

#include <QString>
#include <cstdint>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace corvane {

class CorvaneApp;

// What the threshold boxes accept, shown on a box while its entry is refused.
inline const QString AgcLowAcceptsText =
    QStringLiteral("AGC Low Threshold: a number from 0 to 63 of at most 2 characters");
inline const QString AgcHighAcceptsText =
    QStringLiteral("AGC High Threshold: a number from 0 to 80 of at most 2 characters");

class frmAGC : public platform::Form {
    Q_OBJECT
public:
    explicit frmAGC(CorvaneApp& app);

    void Form_Load() override;
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Text1_Change();
    void Text2_Change();
    void Command2_Click();

    QComboBox *Combo1, *Combo2, *Combo3;
    QLineEdit *Text1, *Text2;
    QPushButton* Command2;

protected:
    void closeBox() override { Command2_Click(); }

private:
    void enableManualGains(bool enabled);
    std::optional<int32_t> threshold(QLineEdit* box, int32_t limit, const QString& limitMessage,
                                     const QString& accepts);

    CorvaneApp& app_;
};

} // namespace corvane
