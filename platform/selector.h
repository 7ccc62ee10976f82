#pragma once
// A sixteen-position rotary selector. Code reads and sets the position and
// gives each position its caption; `positionChanged` is emitted whenever the
// position changes, by the user or by code.
#include <QWidget>
#include <array>

class QDial;
class QLabel;

namespace platform {

class Selector : public QWidget {
    Q_OBJECT
public:
    static constexpr int Positions = 16;

    explicit Selector(QWidget* parent = nullptr);

    int position() const;
    void setPosition(int position); // outside 0..15 is ignored

    QString caption(int position) const;
    void setCaption(int position, const QString& caption);

signals:
    void positionChanged(int position);

private:
    void showCurrentCaption();

    QDial* dial_;
    QLabel* current_;
    std::array<QString, Positions> captions_;
};

} // namespace platform
