#pragma once
// The two-state switch of the front panels. Its state can be read and set by
// code; `toggled` is emitted whenever the state changes, by a click or by code,
// because the programs rely on code-set states running the change handler.
#include <QAbstractButton>

namespace platform {

class Toggle : public QAbstractButton {
    Q_OBJECT
public:
    explicit Toggle(QWidget* parent = nullptr);

    bool isOn() const { return isChecked(); }
    void setOn(bool on) { setChecked(on); }

    // Captions drawn on the switch for its two states (for example "Off"/"On").
    void setStateTexts(const QString& off, const QString& on);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString offText_;
    QString onText_;
};

} // namespace platform
