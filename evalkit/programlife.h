#pragma once
// The life of a program's context: its register field store, the board link over that store,
// the front panel created on first reference, the start-up that runs the panel's load handler
// once, and the end, where the secondary windows go before the panel they touch. A program's
// context derives from ProgramLife<the context, its store, its front panel>, with a static
// transport(), and adds one accessor per window and what its program does differently.
//
// The members that make or destroy the panel need the panel's class: a program's context
// header declares the specialisation `extern template`, and its source, where the panel is
// known, instantiates it.
#include "evalkit/programcontext.h"
#include "link/registerlink.h"

#include <QStringList>
#include <memory>
#include <utility>

class QComboBox;

namespace board {
class Skerry;
class Parllio;
} // namespace board

namespace evalkit {

template <class App, class Store, class Panel> class ProgramLife : public ProgramContext {
public:
    // Creates the front panel and runs its load handler the first time (the whole start-up,
    // then the command-line import); returns the panel, shown or not as the caller decides.
    Panel& start(const QStringList& arguments = {});
    // The front panel, created on first reference.
    Panel& main();

    Store& store() { return store_; }
    auto& f() { return store_.f; }
    auto& w() { return store_.w; }
    reglink::RegisterLink& link() override { return link_; }

    // LinkHost: the read-outs of the front panel's register column.
    reglink::RegisterReadout* readoutLabel(int n) override;
    QComboBox* motherboardList() const override;

protected:
    // The store is made from `storeArguments`; the link serves it over the program's
    // transport.
    template <class... StoreArguments>
    ProgramLife(platform::PlatformServices services, board::Skerry& usb, board::Parllio& port,
                reglink::OsVersionInfo os, StoreArguments&&... storeArguments)
        : ProgramContext(services), store_(std::forward<StoreArguments>(storeArguments)...),
          link_(App::transport(), store_, store_.w, usb, port, *this, os) {}
    ~ProgramLife() override;

    bool mainLoaded() const override { return main_ != nullptr; }
    QWidget* frontPanel() const override;
    std::function<void()> captureStore() override {
        // The records of what went out belong to the board traffic, not to the set-up.
        return [this, f = store_.f, w = store_.w] {
            const reglink::TransportValues sent = store_.w;
            store_.f = f;
            store_.w = w;
            static_cast<reglink::TransportValues&>(store_.w) = sent;
        };
    }
    // Secondary windows go first: none of them outlives the panel it touches. A context whose
    // own members the windows were made from calls this before those members go.
    void closeWindows();

private:
    Store store_;
    reglink::RegisterLink link_;
    std::unique_ptr<Panel> main_;
    bool started_ = false;
};

template <class App, class Store, class Panel> ProgramLife<App, Store, Panel>::~ProgramLife() {
    closeWindows();
}

template <class App, class Store, class Panel> void ProgramLife<App, Store, Panel>::closeWindows() {
    destroyWindows();
    main_.reset();
}

template <class App, class Store, class Panel>
Panel& ProgramLife<App, Store, Panel>::start(const QStringList& arguments) {
    if (!started_) {
        started_ = true;
        main().Form_Load(arguments);
    }
    return *main_;
}

template <class App, class Store, class Panel> Panel& ProgramLife<App, Store, Panel>::main() {
    if (!main_)
        main_ = std::make_unique<Panel>(static_cast<App&>(*this));
    return *main_;
}

template <class App, class Store, class Panel>
QWidget* ProgramLife<App, Store, Panel>::frontPanel() const {
    return main_.get();
}

template <class App, class Store, class Panel>
reglink::RegisterReadout* ProgramLife<App, Store, Panel>::readoutLabel(int n) {
    return main().readout(n);
}

template <class App, class Store, class Panel>
QComboBox* ProgramLife<App, Store, Panel>::motherboardList() const {
    return main_ ? main_->cmbMB : nullptr;
}

} // namespace evalkit
