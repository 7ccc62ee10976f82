#include "evalkit/agcwindow.h"

#include "evalkit/programcontext.h"
#include "evalkit/settingsfile.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/listchoice.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace evalkit {

namespace {

dialog::NumberBox thresholdBox(int32_t limit, const QString& message) {
    return {
        .maxLength = 2, .limit = limit, .over = dialog::OverLimit::Warn, .limitMessage = message};
}

// The closing check looks at the box as it stands, which may hold what the box's handler
// refused. A number beyond the limits is reported; a box that holds no number at all already
// carries the refusal mark that says so, and is not "outside of limits".
bool outsideLimits(const QString& text, double limit) {
    const std::optional<double> v = platform::textToNumber(text);
    return v && (*v > limit || *v < 0);
}

QStringList gainItems() {
    return {QStringLiteral("Low"), QStringLiteral("Medium"), QStringLiteral("High")};
}

} // namespace

frmAGC::frmAGC(ProgramContext& app, const AgcDescription& description,
               QAbstractButton* statusButton)
    : app_(app), d_(description), statusButton_(statusButton),
      mode_(app.link().registers(), description.modeField),
      lnaGain_(app.link().registers(), description.lnaGainField),
      filterGain_(app.link().registers(), description.filterGainField),
      low_(app.link().registers(), description.lowThresholdField),
      high_(app.link().registers(), description.highThresholdField) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("AGC"));

    Combo1 = dialog::list("Combo1", description.modes);
    Combo2 = dialog::list("Combo2", gainItems());
    Combo3 = dialog::list("Combo3", gainItems());
    Text1 = dialog::box("Text1");
    Text2 = dialog::box("Text2");
    for (QLineEdit* box : {Text1, Text2})
        box->setMaximumWidth(70);
    Command2 = dialog::returnButton("Command2");
    Command2->setDefault(true);

    auto* mode = new QGridLayout;
    auto* modeCaption = new QLabel(QStringLiteral("AGC"));
    modeCaption->setBuddy(Combo1);
    mode->addWidget(modeCaption, 0, 0);
    mode->addWidget(Combo1, 0, 1);
    mode->setColumnStretch(1, 1);
    auto* gains = new QGroupBox(QStringLiteral("Manual Gains"));
    auto* gainGrid = new QGridLayout(gains);
    auto* lnaCaption = new QLabel(QStringLiteral("LNA Gain"));
    auto* filterCaption = new QLabel(QStringLiteral("IF Filter Gain"));
    lnaCaption->setBuddy(Combo2);
    filterCaption->setBuddy(Combo3);
    gainGrid->addWidget(lnaCaption, 0, 0);
    gainGrid->addWidget(Combo2, 0, 1);
    gainGrid->addWidget(filterCaption, 1, 0);
    gainGrid->addWidget(Combo3, 1, 1);
    auto* thresholds = new QGroupBox(QStringLiteral("AGC Thresholds"));
    auto* thresholdGrid = new QGridLayout(thresholds);
    auto* lowCaption = new QLabel(QStringLiteral("Low"));
    auto* highCaption = new QLabel(QStringLiteral("High"));
    lowCaption->setBuddy(Text1);
    highCaption->setBuddy(Text2);
    thresholdGrid->addWidget(lowCaption, 0, 0);
    thresholdGrid->addWidget(Text1, 0, 1);
    thresholdGrid->addWidget(highCaption, 1, 0);
    thresholdGrid->addWidget(Text2, 1, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(gains);
    groups->addWidget(thresholds);
    auto* foot = new QHBoxLayout;
    foot->addStretch();
    foot->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(mode);
    layout->addLayout(groups);
    layout->addLayout(foot);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    platform::onChoice(Combo1, this, &frmAGC::Combo1_Click);
    platform::onChoice(Combo2, this, &frmAGC::Combo2_Click);
    platform::onChoice(Combo3, this, &frmAGC::Combo3_Click);
    connect(Text1, &QLineEdit::textChanged, this, &frmAGC::Text1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &frmAGC::Text2_Change);
    connect(Command2, &QPushButton::clicked, this, &frmAGC::Command2_Click);
}

void frmAGC::Form_Load() {
    if (dialog::showField(Combo1, d_.modeValues, mode_.stored()))
        enableManualGains(Combo1->currentIndex());
    dialog::showField(Combo2, d_.lnaGainValues, lnaGain_.stored());
    dialog::showField(Combo3, d_.filterGainValues, filterGain_.stored());
    Text2->setText(platform::numberText(high_.stored() / high_.unit()));
    Text1->setText(platform::numberText(low_.stored() / low_.unit()));
}

void frmAGC::enableManualGains(int modeIndex) {
    // The gains act only in the modes that use them; their fields keep their values (and stay
    // in the register) while the lists are greyed out.
    const bool enabled = modeIndex >= 0 && size_t(modeIndex) < d_.manualGains.size() &&
                         d_.manualGains[size_t(modeIndex)];
    Combo2->setEnabled(enabled);
    Combo3->setEnabled(enabled);
}

void frmAGC::Combo1_Click() {
    const int i = Combo1->currentIndex();
    const std::optional<int32_t> v = d_.modeValues.at(i);
    if (!v)
        return;
    mode_.store(*v);
    enableManualGains(i);
}

void frmAGC::Combo2_Click() {
    if (const std::optional<int32_t> v = d_.lnaGainValues.at(Combo2->currentIndex()))
        lnaGain_.store(*v);
}

void frmAGC::Combo3_Click() {
    if (const std::optional<int32_t> v = d_.filterGainValues.at(Combo3->currentIndex()))
        filterGain_.store(*v);
}

// A threshold entry, or nothing when it is refused: the box is marked until an entry is taken,
// and a number above the limit also gets its message.
std::optional<int32_t> frmAGC::threshold(QLineEdit* box, int32_t limit, const QString& limitMessage,
                                         const QString& accepts) {
    const std::optional<int32_t> v =
        thresholdBox(limit, limitMessage).accept(box->text(), app_.messages());
    platform::showRefusal(box, !v, accepts);
    return v;
}

void frmAGC::Text1_Change() {
    const std::optional<int32_t> v =
        threshold(Text1, MaxLowThreshold, QStringLiteral("Max AGC Low Threshold setting is 63"),
                  AgcLowAccepts);
    if (v && low_.setCode(*v))
        app_.UpdateAllRegisterLabels();
}

void frmAGC::Text2_Change() {
    const std::optional<int32_t> v =
        threshold(Text2, MaxHighThreshold, QStringLiteral("Max AGC High Threshold setting is 80"),
                  AgcHighAccepts);
    if (v && high_.setCode(*v))
        app_.UpdateAllRegisterLabels();
}

void frmAGC::Command2_Click() {
    // The checks only warn: the thresholds that were refused never reached the fields.
    if (outsideLimits(Text2->text(), MaxHighThreshold))
        app_.messages().message(QStringLiteral("AGC High Threshold outside of limits"));
    if (outsideLimits(Text1->text(), MaxLowThreshold))
        app_.messages().message(QStringLiteral("AGC Low Threshold outside of limits"));
    dialog::showStatus(statusButton_, d_.status, mode_.stored());
    dialog::returnToFrontPanel(*this, app_);
}

void frmAGC::applySettings(const calc::AgcPlan& p) {
    setIndex(Combo1, p.mode, [this] { Combo1_Click(); });
    setNumber(Text1, p.low, [this] { Text1_Change(); });
    setNumber(Text2, p.high, [this] { Text2_Change(); });
    setIndex(Combo2, p.lnaGain, [this] { Combo2_Click(); });
    setIndex(Combo3, p.filterGain, [this] { Combo3_Click(); });
}

calc::AgcRecord frmAGC::settingsInForce() const {
    const auto threshold = [](const QLineEdit* box, const FieldRef& field) {
        const std::optional<int> code = field.code();
        return code ? numberInForce(box, *code) : platform::textInForce(box);
    };
    return {indexInForce(Combo1, d_.modeValues.indexOf(mode_.stored())), threshold(Text1, low_),
            threshold(Text2, high_),
            indexInForce(Combo2, d_.lnaGainValues.indexOf(lnaGain_.stored())),
            indexInForce(Combo3, d_.filterGainValues.indexOf(filterGain_.stored()))};
}

} // namespace evalkit
