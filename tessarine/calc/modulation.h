#pragma once
// The transmit modulation figures of the front panel: the FSK deviation count behind
// TxtFSKdev_Change, the Gaussian settings of FnUpdateGaussian (mod control, index counter,
// divider) with the deviation and data rate they give, and the PA level captions.
//
// Pure: the main window gathers its controls and the values it needs, applies what the
// result sets, and then refreshes the read-outs (fnGuiWrite) when a field was set.
#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace tessarine::calc {

// ModulationSchemeField for cmbModulation's entries FSK, GFSK, ASK, OOK, GOOK.
inline constexpr int32_t SchemeFsk = 0;
inline constexpr int32_t SchemeGfsk = 1 << 2;
inline constexpr int32_t SchemeAsk = 2 << 2;
inline constexpr int32_t SchemeOok = 3 << 2;
inline constexpr int32_t SchemeGook = 7 << 2;

// cmbModulation's entries.
inline constexpr int FskItem = 0;
inline constexpr int GfskItem = 1;
inline constexpr int AskItem = 2;
inline constexpr int OokItem = 3;
inline constexpr int GookItem = 4;

// The field for list index 0..4; nothing for any other index.
std::optional<int32_t> modulationSchemeField(int listIndex);

// TxDeviationField holds the FSK count in bits 11-19; the carrier moves in steps of
// PFD / 2^14.
inline constexpr int32_t MaxDeviationCount = 511;
inline constexpr double DeviationStepsPerPfd = 16384;

struct DeviationInputs {
    QString text; // TxtFSKdev, kHz
    int32_t ModulationSchemeField = 0;
    float PfdFrequencyMHz = 0;
    int32_t TxDeviationField = 0; // what the field holds now
};

// Either the refusal (with the label of the deviation the field still gives) or all four
// values are set, or nothing (the handler did not act).
struct DeviationResult {
    // The entry was not taken (empty, not a number, negative, or a count that does not fit
    // the field): what the box accepts at this PFD, for the box's refusal mark. The handler
    // runs on every keystroke, so the refusal marks the box rather than opening a message.
    std::optional<QString> refusal;
    // Set with the refusal when the entry is complete and still refused (a letter, a negative
    // number, a count above 511): the message that says so. A text that may still become a
    // number while it is typed (empty, a lone sign or decimal point, an exponent without its
    // digits) is only marked.
    std::optional<QString> message;
    // Set when the entry is a deviation but its count does not fit the field at this PFD:
    // the warning that names the limit. A synthesizer plan whose new PFD would bring this
    // refusal is refused with it.
    std::optional<platform::Message> setUpRefusal;
    std::optional<float> DeviationStepHz;
    std::optional<int32_t> TxDeviationField;
    // The deviation the count gives at this PFD: the new count's, or after a refusal the
    // count the field keeps (which another scheme or another PFD may have left there).
    std::optional<QString> actualDeviation; // Lblfskdev
};

// TxtFSKdev_Change: acts only while the scheme is FSK (and there is a PFD to step in).
DeviationResult planDeviation(const DeviationInputs& in);

// The refusal text: the deviations the field can hold at this step (0 to 511 steps).
QString deviationRangeText(float DeviationStepHz);
// The message of a complete entry that is refused.
QString deviationRefusedMessage(float DeviationStepHz);

struct GaussianInputs {
    int modControlIndex = -1; // cmbModCtrl: 0..7; no selection counts as 0
    int indexCountIndex = -1; // cmbIndexCount: 0..3 = 16, 32, 64, 128; no selection counts as 0
    QString dividerText;      // txtDivider
    int32_t ModulationSchemeField = 0;
    float PfdFrequencyMHz = 0;
};

// What the divider box accepts, for its refusal mark.
inline const QString DividerAcceptsText = QStringLiteral("Divider Number: a number from 1 to 127");

struct GaussianResult {
    // The divider text is no number: nothing else is set.
    std::optional<QString> refusal;
    // The divider box rewritten with the nearest limit ("1" or "127"); set even when the
    // index counter then stops the plan.
    std::optional<QString> dividerAtLimit;
    // The three fields are all set or none (no index counter, or a divider that is no
    // number).
    std::optional<int32_t> TxDeviationField;
    std::optional<int32_t> GfskModControlField;
    std::optional<int32_t> GfskIndexCounterField;
    // GFSK only: the deviation the mod control gives.
    std::optional<QString> actualDeviation; // Lblfskdev
    std::optional<QString> deviationEntry;  // TxtFSKdev
    std::optional<QString> dataRate;        // lblDatarate
};

// FnUpdateGaussian.
GaussianResult planGaussian(const GaussianInputs& in);

// LblFSKpower and paLevelLowSetting: "Setting" and the level as Str writes it (" 56"), so two
// blanks stand before the digits.
QString settingText(int level);

// paLevelCaption (beside the PA level) and paLevelLowCaption (beside the ASK low level).
struct AskDataLabels {
    QString paLevelCaption;
    QString paLevelLowCaption;
};
AskDataLabels askDataLabels(int32_t DataInvertField);

} // namespace tessarine::calc
