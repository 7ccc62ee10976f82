#pragma once
// The life of the programs' secondary windows: a window is created on first
// reference, registered before its load handler runs (so a re-entrant
// reference finds it), and lives until it is unloaded; the next reference
// loads it afresh.
#include <QCloseEvent>
#include <QDialog>
#include <QPointer>
#include <functional>

namespace platform {

class Form : public QDialog {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);

    // The window's load handler; runs once each time the window is created.
    virtual void Form_Load() {}

    // Unloads the window: it is hidden at once, forgotten by its slot, and
    // destroyed when control returns to the event loop (so a handler of the
    // window that unloads it can finish safely).
    void unload();
    bool isUnloaded() const { return unloaded_; }

    void setUnloader(std::function<void()> unloader) { unloader_ = std::move(unloader); }

protected:
    // The close box. Windows whose return button does more than unload
    // override this to run their return handler instead.
    virtual void closeBox() { unload(); }
    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Escape behaves as the close box

private:
    std::function<void()> unloader_;
    bool unloaded_ = false;
};

// Owns the current instance of one window.
template <class W> class WindowSlot {
public:
    using Factory = std::function<W*()>;
    explicit WindowSlot(Factory factory) : factory_(std::move(factory)) {}
    ~WindowSlot() { delete window_.data(); }
    WindowSlot(const WindowSlot&) = delete;
    WindowSlot& operator=(const WindowSlot&) = delete;

    // The window, created hidden and loaded on first reference.
    W* get() {
        if (!window_) {
            W* w = factory_();
            window_ = w;
            w->setUnloader([this, w] {
                if (window_ == w)
                    window_ = nullptr;
            });
            w->Form_Load();
        }
        return window_.data();
    }
    W* operator->() { return get(); }

    bool loaded() const { return !window_.isNull(); }
    W* ifLoaded() const { return window_.data(); }
    void unload() {
        if (window_)
            window_->unload();
    }

private:
    Factory factory_;
    QPointer<W> window_;
};

} // namespace platform
