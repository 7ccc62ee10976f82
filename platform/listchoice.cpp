#include "platform/listchoice.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>

namespace platform {

namespace {

// Watches the list and its drop-down for the user's input. The list reports a choice that
// moves the index first as an index change and then as an activation of the same index, both
// while the input that made the choice is being handled; a choice of the item shown is
// reported as the activation alone. So an index change runs the handler and is remembered
// until the next input arrives: the activation that follows it within the same input is the
// same choice and is not run again.
class ChoiceWatcher : public QObject {
public:
    ChoiceWatcher(QComboBox* list, QObject* context, std::function<void()> handler)
        : QObject(list), handler_(std::move(handler)) {
        list->installEventFilter(this);
        // The drop-down takes the keys while it is open, its viewport the mouse.
        QAbstractItemView* view = list->view();
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
        connect(list, &QComboBox::currentIndexChanged, context, [this](int index) {
            ranFor_ = index;
            handler_();
        });
        connect(list, &QComboBox::activated, context, [this](int index) {
            if (ranFor_ == index) {
                ranFor_.reset();
                return;
            }
            handler_();
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::Wheel:
            // A new input: an index change remembered from before (made by code, or by an
            // earlier choice) is no part of what this input chooses.
            ranFor_.reset();
            break;
        default:
            break;
        }
        return false;
    }

private:
    std::function<void()> handler_;
    std::optional<int> ranFor_;
};

} // namespace

void onChoice(QComboBox* list, QObject* context, std::function<void()> handler) {
    new ChoiceWatcher(list, context, std::move(handler));
}

} // namespace platform
