#pragma once
// A register read-out: the word as "0x…" text on a coloured background. The caption is the
// memory of what was last shown, and the mark says whether the word still has to be written.
#include <QLabel>

namespace reglink {

class RegisterReadout : public QLabel {
    Q_OBJECT
public:
    enum class Mark {
        Changed,   // light green: the word changed and has not been written
        Normal,    // the 3-D light colour a write restores
        ButtonFace // the button-face colour of a read-out that matches what was written
    };

    static inline const QString DesignCaption = QStringLiteral("ZZZZZZh");

    explicit RegisterReadout(QWidget* parent = nullptr);
    RegisterReadout(const QString& designCaption, QWidget* parent = nullptr);

    Mark mark() const { return mark_; }
    void setMark(Mark mark);

    static QColor changedColour() { return QColor(0x80, 0xFF, 0x80); }

private:
    Mark mark_ = Mark::Normal;
};

} // namespace reglink
