#pragma once
// The sync-word detection window: the detection mode, the sync word's length, pattern and the
// matching errors permitted (and, on chips that have it, the data packet length). It edits the
// field store only; its return button names the mode on the front panel's sync-word button.
// The chips keep the mode in different fields with different entries, and differ in how the
// pattern is typed and what an entry too large for its field gets; each program describes that.
#include "evalkit/calc/windowsettings.h"
#include "evalkit/fieldref.h"
#include "evalkit/statuscaption.h"
#include "platform/form.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace evalkit {

class ProgramContext;

struct SwdDescription {
    QString frame; // the frame around the controls
    QStringList modes;
    const char* modeField = nullptr;
    dialog::FieldValues modeValues{}; // the mode field's value for each entry
    dialog::StatusCaption status{};   // the front panel's sync-word button on return

    // The pattern box: `prefix` and the word's hexadecimal digits. A text that does not begin
    // with the prefix, holds other characters than hexadecimal digits, or a word wider than
    // the field (24 bits), is refused; `tooWide` is the message for the last one (empty: the
    // box is only marked). Without a prefix an empty box is the word 0.
    QString syncWordPrefix;
    QString syncWordDesign;
    QString syncWordTooWide;
    QString syncWordAccepts;

    // The matching errors permitted: a cleared box is none.
    dialog::NumberBox errors;
    QString errorsAccepts;

    // The data packet length box, on chips that have the field.
    const char* packetLengthField = nullptr;
    dialog::NumberBox packetLength = {};
    QString packetLengthAccepts = {};

    const char* lengthField = "SyncWordLengthField"; // list index = code
    const char* errorsField = "SyncErrorsField";
    const char* syncWordField = "SyncWordField";
};

class frmSWD : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmSWD";
    // statusButton: the front panel's sync-word button (Command11).
    frmSWD(ProgramContext& app, const SwdDescription& description, QAbstractButton* statusButton);

    // The word a pattern box text stands for, or nullopt when the box refuses it; `tooWide` is
    // set for hexadecimal digits that make a word wider than 24 bits.
    static std::optional<uint32_t> syncWord(const QString& text, const SwdDescription& description,
                                            bool* tooWide = nullptr);

    void Form_Load() override;
    void detectionMode_Click();
    void wordLength_Click();
    void txtDPL_Change();
    void txtErrors_Change();
    void syncWordPattern_Change();
    void return_Click();

    // A settings file's part of the window, set as the user would; a control that shows the
    // value already has its handler run all the same (another window may have changed the
    // field meanwhile).
    void applySettings(const calc::SyncWordPlan& p);
    // The part of the set-up in force a settings file holds.
    calc::SyncWordRecord settingsInForce() const;

    QComboBox* detectionMode;    // cmbInterupt
    QComboBox* wordLength;       // cmbPreamble
    QLineEdit* txtDPL = nullptr; // only where the chip has a packet length
    QLineEdit* syncWordPattern;  // txtPreamble
    QLineEdit* txtErrors;
    QPushButton* return_; // object name "return"

protected:
    void closeBox() override { return_Click(); }

private:
    ProgramContext& app_;
    const SwdDescription& d_;
    QAbstractButton* statusButton_;
    FieldRef mode_, length_, errors_, syncWord_;
    std::optional<FieldRef> packetLength_;
    // The sync word's own refusal waits for the entry to be committed.
};

} // namespace evalkit
