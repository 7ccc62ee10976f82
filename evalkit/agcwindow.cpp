#include "evalkit/agcwindow.h"
#include "evalkit/fielddialog.h"

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
    : app_(app), d_(description), statusButton_(statusButton), mode_(app, description.modeField),
      lnaGain_(app, description.lnaGainField), filterGain_(app, description.filterGainField),
      low_(app, description.lowThresholdField), high_(app, description.highThresholdField) {
    setObjectName(QLatin1String(DesignName));
    loadAgainWhenShown();
    setWindowTitle(QStringLiteral("AGC"));

    agcMode = dialog::list("Combo1", description.modes);
    lnaGain = dialog::list("Combo2", gainItems());
    filterGain = dialog::list("Combo3", gainItems());
    lowThreshold = dialog::box("Text1");
    highThreshold = dialog::box("Text2");
    for (QLineEdit* box : {lowThreshold, highThreshold})
        box->setMaximumWidth(70);
    returnToPanel = dialog::returnButton("Command2");
    returnToPanel->setDefault(true);

    auto* mode = new QGridLayout;
    auto* modeCaption = new QLabel(QStringLiteral("AGC"));
    modeCaption->setBuddy(agcMode);
    mode->addWidget(modeCaption, 0, 0);
    mode->addWidget(agcMode, 0, 1);
    mode->setColumnStretch(1, 1);
    auto* gains = new QGroupBox(QStringLiteral("Manual Gains"));
    auto* gainGrid = new QGridLayout(gains);
    auto* lnaCaption = new QLabel(QStringLiteral("LNA Gain"));
    auto* filterCaption = new QLabel(QStringLiteral("IF Filter Gain"));
    lnaCaption->setBuddy(lnaGain);
    filterCaption->setBuddy(filterGain);
    gainGrid->addWidget(lnaCaption, 0, 0);
    gainGrid->addWidget(lnaGain, 0, 1);
    gainGrid->addWidget(filterCaption, 1, 0);
    gainGrid->addWidget(filterGain, 1, 1);
    auto* thresholds = new QGroupBox(QStringLiteral("AGC Thresholds"));
    auto* thresholdGrid = new QGridLayout(thresholds);
    auto* lowCaption = new QLabel(QStringLiteral("Low"));
    auto* highCaption = new QLabel(QStringLiteral("High"));
    lowCaption->setBuddy(lowThreshold);
    highCaption->setBuddy(highThreshold);
    thresholdGrid->addWidget(lowCaption, 0, 0);
    thresholdGrid->addWidget(lowThreshold, 0, 1);
    thresholdGrid->addWidget(highCaption, 1, 0);
    thresholdGrid->addWidget(highThreshold, 1, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(gains);
    groups->addWidget(thresholds);
    auto* foot = dialog::footer({returnToPanel});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(mode);
    layout->addLayout(groups);
    layout->addLayout(foot);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    platform::onChoice(agcMode, this, &frmAGC::agcMode_Click);
    platform::onChoice(lnaGain, this, &frmAGC::lnaGain_Click);
    platform::onChoice(filterGain, this, &frmAGC::filterGain_Click);
    app_.entries().watch(lowThreshold, {QStringLiteral("low threshold")},
                         [this] { lowThreshold_Change(); });
    app_.entries().watch(highThreshold, {QStringLiteral("high threshold")},
                         [this] { highThreshold_Change(); });
    connect(returnToPanel, &QPushButton::clicked, this, &frmAGC::returnToPanel_Click);
}

void frmAGC::Form_Load() {
    if (dialog::showField(agcMode, d_.modeValues, mode_.stored()))
        enableManualGains(agcMode->currentIndex());
    dialog::showField(lnaGain, d_.lnaGainValues, lnaGain_.stored());
    dialog::showField(filterGain, d_.filterGainValues, filterGain_.stored());
    highThreshold->setText(platform::numberText(high_.stored() / high_.unit()));
    lowThreshold->setText(platform::numberText(low_.stored() / low_.unit()));
}

void frmAGC::enableManualGains(int modeIndex) {
    // The gains act only in the modes that use them; their fields keep their values (and stay
    // in the register) while the lists are greyed out.
    const bool enabled = modeIndex >= 0 && size_t(modeIndex) < d_.manualGains.size() &&
                         d_.manualGains[size_t(modeIndex)];
    lnaGain->setEnabled(enabled);
    filterGain->setEnabled(enabled);
}

void frmAGC::agcMode_Click() {
    const int i = agcMode->currentIndex();
    const std::optional<int32_t> v = d_.modeValues.at(i);
    if (!v)
        return;
    mode_.store(*v);
    enableManualGains(i);
}

void frmAGC::lnaGain_Click() {
    if (const std::optional<int32_t> v = d_.lnaGainValues.at(lnaGain->currentIndex()))
        lnaGain_.store(*v);
}

void frmAGC::filterGain_Click() {
    if (const std::optional<int32_t> v = d_.filterGainValues.at(filterGain->currentIndex()))
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

void frmAGC::lowThreshold_Change() {
    const std::optional<int32_t> v =
        threshold(lowThreshold, MaxLowThreshold,
                  QStringLiteral("Max AGC Low Threshold setting is 63"), AgcLowAccepts);
    if (v)
        low_.setCode(*v);
}

void frmAGC::highThreshold_Change() {
    const std::optional<int32_t> v =
        threshold(highThreshold, MaxHighThreshold,
                  QStringLiteral("Max AGC High Threshold setting is 80"), AgcHighAccepts);
    if (v)
        high_.setCode(*v);
}

void frmAGC::returnToPanel_Click() {
    // The checks only warn: the thresholds that were refused never reached the fields.
    if (outsideLimits(highThreshold->text(), MaxHighThreshold))
        app_.messages().message(QStringLiteral("AGC High Threshold outside of limits"));
    if (outsideLimits(lowThreshold->text(), MaxLowThreshold))
        app_.messages().message(QStringLiteral("AGC Low Threshold outside of limits"));
    dialog::showStatus(statusButton_, d_.status, mode_.stored());
    dialog::returnToFrontPanel(*this, app_);
}

void frmAGC::applySettings(const calc::AgcPlan& p) {
    setIndex(agcMode, p.mode, [this] { agcMode_Click(); });
    setNumber(lowThreshold, p.low, [this] { lowThreshold_Change(); });
    setNumber(highThreshold, p.high, [this] { highThreshold_Change(); });
    setIndex(lnaGain, p.lnaGain, [this] { lnaGain_Click(); });
    setIndex(filterGain, p.filterGain, [this] { filterGain_Click(); });
}

calc::AgcRecord frmAGC::settingsInForce() const {
    const auto threshold = [](const QLineEdit* box, const FieldRef& field) {
        const std::optional<int> code = field.code();
        return code ? numberInForce(box, *code) : platform::textInForce(box);
    };
    return {indexInForce(agcMode, d_.modeValues.indexOf(mode_.stored())),
            threshold(lowThreshold, low_), threshold(highThreshold, high_),
            indexInForce(lnaGain, d_.lnaGainValues.indexOf(lnaGain_.stored())),
            indexInForce(filterGain, d_.filterGainValues.indexOf(filterGain_.stored()))};
}

} // namespace evalkit
