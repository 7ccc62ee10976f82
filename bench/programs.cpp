#include "bench/programs.h"

#include "corvane-n/variant.h"
#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"
#include "corvane/settingsfile.h"
#include "link/registerreadout.h"
#include "pellion/frontpanel.h"
#include "pellion/pellionapp.h"
#include "pellion/settingsfile.h"
#include "tessarine/frontpanel.h"
#include "tessarine/settingsfile.h"
#include "tessarine/tessarineapp.h"

#include <QCoreApplication>

#include <set>

namespace evalbench {

namespace {

template <class App> class SessionOf : public Session {
public:
    template <class... Extra>
    SessionOf(board::Parllio& port, const Extra&... extra) : Session(App::programTitle()) {
        usb.setChip(App::transport().chip);
        app_ = std::make_unique<App>(services.view(), usb, port, extra...);
    }
    ~SessionOf() override { app_.reset(); }

    QMainWindow& panel() override { return app_->main(); }
    QMainWindow& start() override { return app_->start(); }
    evalkit::ProgramContext& context() override { return *app_; }
    reglink::RegisterFile& store() override { return app_->store(); }

private:
    std::unique_ptr<App> app_;
};

template <class App, class F> auto on(F f) {
    return [f](evalkit::ProgramContext& context, const QString& path) {
        f(static_cast<App&>(context), path);
    };
}

const std::vector<int> CorvaneReadouts{0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13};

std::vector<Program> allPrograms() {
    std::vector<Program> list;

    Program corvane;
    corvane.name = QStringLiteral("corvane-eval");
    corvane.executable = QStringLiteral(CORVANE_EVAL_EXECUTABLE);
    corvane.chip = corvane::CorvaneApp::transport().chip;
    corvane.open = [](board::Parllio& port) -> std::unique_ptr<Session> {
        return std::make_unique<SessionOf<corvane::CorvaneApp>>(port, corvane::corvaneEval());
    };
    corvane.changeBox = QStringLiteral("txtDatarate");
    corvane.changeEntries = {QStringLiteral("4"), QStringLiteral("9.6")};
    corvane.readouts = CorvaneReadouts;
    corvane.exportSettings = on<corvane::CorvaneApp>(corvane::ExportSettings);
    corvane.importSettings = on<corvane::CorvaneApp>(corvane::ImportSettings);
    corvane.parallelBoard = 0;
    corvane.writtenRegisters = {0, 3};
    corvane.portCallsPerWord = 101; // 1 + 3 x 32 + 4 (latch high, low, low, low)
    list.push_back(corvane);

    Program narrow = corvane;
    narrow.name = QStringLiteral("Corvane-N");
    narrow.executable = QStringLiteral(CORVANE_N_EXECUTABLE);
    narrow.open = [](board::Parllio& port) -> std::unique_ptr<Session> {
        return std::make_unique<SessionOf<corvane::CorvaneApp>>(port, corvanen::variant());
    };
    // corvane-eval's settings file and chip sequence: timed once, under corvane-eval.
    narrow.ownSettingsFormat = false;
    narrow.writtenRegisters.clear();
    list.push_back(narrow);

    Program pellion;
    pellion.name = QStringLiteral("pellion-eval");
    pellion.executable = QStringLiteral(PELLION_EVAL_EXECUTABLE);
    pellion.chip = pellion::PellionApp::transport().chip;
    pellion.open = [](board::Parllio& port) -> std::unique_ptr<Session> {
        return std::make_unique<SessionOf<pellion::PellionApp>>(port);
    };
    pellion.changeBox = QStringLiteral("txtDatarate");
    pellion.changeEntries = {QStringLiteral("10"), QStringLiteral("4.8")};
    pellion.readouts = CorvaneReadouts;
    pellion.exportSettings = on<pellion::PellionApp>(pellion::ExportSettings);
    pellion.importSettings = on<pellion::PellionApp>(pellion::ImportSettings);
    pellion.parallelBoard = 0;
    pellion.writtenRegisters = {0, 3};
    pellion.portCallsPerWord = 101; // 1 + 3 x 32 + 4 (latch high, low, low, low)
    list.push_back(pellion);

    Program tessarine;
    tessarine.name = QStringLiteral("tessarine-eval");
    tessarine.executable = QStringLiteral(TESSARINE_EVAL_EXECUTABLE);
    tessarine.chip = tessarine::TessarineApp::transport().chip;
    tessarine.open = [](board::Parllio& port) -> std::unique_ptr<Session> {
        return std::make_unique<SessionOf<tessarine::TessarineApp>>(port);
    };
    tessarine.changeBox = QStringLiteral("TxtFSKdev");
    tessarine.changeEntries = {QStringLiteral("60"), QStringLiteral("25")};
    tessarine.readouts = {0, 1, 2, 3};
    tessarine.exportSettings = on<tessarine::TessarineApp>(tessarine::ExportSettings);
    tessarine.importSettings = on<tessarine::TessarineApp>(tessarine::ImportSettings);
    tessarine.parallelBoard = 0;
    tessarine.writtenRegisters = {0, 2};
    tessarine.portCallsPerWord = 100; // 1 + 3 x 32 + 3 (latch high, low, low)
    list.push_back(tessarine);

    return list;
}

} // namespace

const std::vector<Program>& programs() {
    static const std::vector<Program> list = allPrograms();
    return list;
}

QString readoutTexts(Session& session, const Program& program) {
    QString all;
    for (int n : program.readouts) {
        const reglink::RegisterReadout* r = session.context().readoutLabel(n);
        all += (r ? r->text() : QStringLiteral("-")) + QLatin1Char(' ');
    }
    return all;
}

std::vector<uint32_t> registerWords(reglink::RegisterFile& store) {
    std::set<int> registers;
    for (const reglink::FieldInfo& field : store.fieldTable())
        registers.insert(field.reg);
    std::vector<uint32_t> words;
    for (int n : registers)
        words.push_back(store.wordBits(n));
    return words;
}

void close(std::unique_ptr<Session>& session) {
    session.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace evalbench
