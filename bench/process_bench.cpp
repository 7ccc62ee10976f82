// Every program as a user starts it, as a whole process: loading, start-up, the first paint of
// the front panel and the exit (VERRIX_EXIT_AFTER_PAINT closes the panel once it has been
// painted), beside a process that shows a bare main window with one label the same way.
#include "bench/benchsupport.h"
#include "bench/programs.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using evalbench::Program;

// Longer than any start-up, short enough that a program that never paints fails the run.
constexpr int TimeoutMs = 30000;

struct Run {
    bool ok = false;
    std::string error;
    double cpuMs = 0;
    long minorFaults = 0;
    long majorFaults = 0;
};

// The environment a user's start has, on the simulated board, with the measurement hook.
std::vector<std::string> childEnvironment() {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("VERRIX_", 0) == 0 || entry.rfind("QT_QPA_PLATFORM=", 0) == 0)
            continue;
        env.push_back(entry);
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    env.push_back("QT_QPA_PLATFORM=" +
                  (platform.isEmpty() ? std::string("offscreen") : platform.toStdString()));
    env.push_back("VERRIX_EXIT_AFTER_PAINT=1");
    return env;
}

// Starts `executable` in `folder` and waits for it to end by itself.
Run runOnce(const QString& executable, const QString& folder) {
    Run run;
    static const std::vector<std::string> env = childEnvironment();
    std::vector<char*> envp;
    for (const std::string& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const std::string path = executable.toStdString();
    const std::string log = (folder + QStringLiteral("/output.txt")).toStdString();
    const std::string cwd = folder.toStdString();
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.error = "cannot start " + path + ": " + std::strerror(spawned);
        return run;
    }
    // Wait for the exit, but not for ever.
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (pidfd >= 0) {
        pollfd p{pidfd, POLLIN, 0};
        int ready;
        do
            ready = poll(&p, 1, TimeoutMs);
        while (ready < 0 && errno == EINTR);
        close(pidfd);
        if (ready == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            run.error = path + " did not end after its first paint";
            return run;
        }
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    run.minorFaults = usage.ru_minflt;
    run.majorFaults = usage.ru_majflt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        QFile output(QString::fromStdString(log));
        output.open(QIODevice::ReadOnly);
        run.error = path + " ended with status " + std::to_string(status) + ": " +
                    output.readAll().left(400).toStdString();
        return run;
    }
    run.ok = true;
    return run;
}

void process(benchmark::State& state, const QString& executable) {
    QTemporaryDir folder;
    double cpu = 0, minor = 0, major = 0;
    for (auto _ : state) {
        const Run run = runOnce(executable, folder.path());
        if (!run.ok) {
            state.SkipWithError(run.error.c_str());
            return;
        }
        cpu += run.cpuMs;
        minor += double(run.minorFaults);
        major += double(run.majorFaults);
    }
    using benchmark::Counter;
    state.counters["cpu_ms"] = Counter(cpu, Counter::kAvgIterations);
    state.counters["minor_faults"] = Counter(minor, Counter::kAvgIterations);
    state.counters["major_faults"] = Counter(major, Counter::kAvgIterations);
}

// Each executable once, so that no figure carries the first read from disk.
void warmUp() {
    QTemporaryDir folder;
    runOnce(QStringLiteral(BARE_WINDOW_EXECUTABLE), folder.path());
    for (const Program& program : evalbench::programs())
        runOnce(program.executable, folder.path());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<evalbench::RatioCheck> ratios;
    for (const Program& program : evalbench::programs()) {
        benchmark::RegisterBenchmark(("BM_Process/" + program.name.toStdString()).c_str(), process,
                                     program.executable)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
        ratios.push_back({QStringLiteral("BM_Process/") + program.name,
                          QStringLiteral("BM_ProcessBareWindow"), 1.5, 0,
                          program.name + QStringLiteral(" process / bare window process")});
    }
    benchmark::RegisterBenchmark("BM_ProcessBareWindow", process,
                                 QStringLiteral(BARE_WINDOW_EXECUTABLE))
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    return evalbench::runBenchmarks(argc, argv, ratios, warmUp);
}
