#pragma once
// The programs' secondary windows and the registry that gives each of them its life.
#include <QCloseEvent>
#include <QDialog>
#include <QPointer>
#include <QShowEvent>
#include <functional>
#include <utility>
#include <vector>

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
    // For a window whose load only puts the fields in force into its controls: it loads again
    // each time it is shown, since a settings file loads some windows unseen and other windows
    // change fields it shows. A show the window system makes (a minimised window restored)
    // changes nothing.
    void loadAgainWhenShown() { loadWhenShown_ = true; }
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Escape behaves as the close box

private:
    std::function<void()> unloader_;
    bool unloaded_ = false;
    bool loadWhenShown_ = false;
};

// The windows of one program, by name: each is created hidden on first reference, registered
// before its load handler runs (so a re-entrant reference finds it), and forgotten when it is
// unloaded; the next reference loads it afresh. Adding a window to a program is one accessor
// that gives the window's factory. A window class carries its design name once, as
//     static constexpr char DesignName[] = "synthform";
// which is both its objectName and its name here.
class WindowRegistry {
public:
    WindowRegistry() = default;
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    // The window called `name`, created by `factory` and loaded if it is not loaded. The
    // factory must make a window.
    template <class W, class Factory> W& get(const QString& name, Factory&& factory) {
        if (Form* loaded = ifLoaded(name))
            return *static_cast<W*>(loaded);
        // Building a window may refer to other windows, so the entry is looked up only once
        // the window exists.
        W* window = factory();
        if (!window)
            noWindowMade(name);
        entryFor(name).window = window;
        window->setUnloader([this, name, window] { forget(name, window); });
        window->Form_Load();
        return *window;
    }

    // The window of class W, under the design name W carries.
    template <class W, class Factory> W& get(Factory&& factory) {
        return get<W>(designName<W>(), std::forward<Factory>(factory));
    }
    template <class W> static QString designName() { return QLatin1String(W::DesignName); }

    bool isLoaded(const QString& name) const { return ifLoaded(name) != nullptr; }
    Form* ifLoaded(const QString& name) const;
    // Every window loaded now.
    std::vector<Form*> loaded() const;
    void unload(const QString& name);
    // Destroys every window at once (the program is ending).
    void clear();

private:
    struct Entry {
        QString name;
        QPointer<Form> window;
    };
    Entry& entryFor(const QString& name);
    void forget(const QString& name, Form* window);
    // A factory that makes no window is a fault of the program, never a window to use: the
    // program stops, naming the window.
    [[noreturn]] static void noWindowMade(const QString& name);

    std::vector<Entry> entries_;
};

} // namespace platform
