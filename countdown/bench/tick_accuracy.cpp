// Timing accuracy of the 200 ms tick. Prints figures; it checks nothing and
// is not a test.
//
// Three tick sources run side by side over the same interval:
//   SystemTickSource  the program's own source (timerfd at absolute grid
//                     points, on the Qt event loop);
//   QTimer (coarse)   a single-shot QTimer of Qt's default CoarseTimer type,
//                     restarted from its own timeout;
//   sleep_for thread  a std::thread that sleeps 200 ms between ticks.
// Each tick's arrival (steady_clock) is compared with the ideal grid point
// start + k × 200 ms, k being the tick's index since its start (1, 2, ...).
// A source that counts ticks but drifts shows a lateness that grows with k;
// the last tick's lateness is the drift accumulated over the run, and the
// median lateness of the last 5 s the same without one late wake-up's noise.
//
// The run is done idle, then with two busy-spinning load threads of the
// benchmark's own (one per core on a two-core machine).
//
//   tick_accuracy [--seconds N] [--phase idle|load|both]
//     N: length of each phase in seconds, 1..600 (default 60).
#include "SystemTickSource.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <sys/utsname.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto Period = 200ms;
constexpr int PeriodMs = 200;
constexpr std::size_t DriftWindow = 25; // ticks: the last 5 s

// The arrivals of one source, against its own grid start.
struct Record {
    const char* name = "";
    Clock::time_point start{};
    std::vector<Clock::time_point> arrivals;
    std::uint64_t dropped = 0; // grid points the source itself reports as skipped
    bool reportsDropped = false;

    void reserve(std::size_t n) { arrivals.reserve(n); }
};

struct Figures {
    std::size_t ticks = 0;
    double min = 0, p50 = 0, p99 = 0, max = 0, drift = 0, driftMedian = 0; // milliseconds
};

double toMs(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Nearest-rank percentile of sorted values.
double percentile(const std::vector<double>& sorted, double p)
{
    if (sorted.empty())
        return 0;
    auto rank = static_cast<std::size_t>(p / 100.0 * static_cast<double>(sorted.size()) + 0.999999);
    rank = std::clamp<std::size_t>(rank, 1, sorted.size());
    return sorted[rank - 1];
}

Figures figuresOf(const Record& r, Clock::time_point end)
{
    std::vector<double> lateness;
    lateness.reserve(r.arrivals.size());
    for (std::size_t i = 0; i < r.arrivals.size(); ++i) {
        if (r.arrivals[i] > end)
            break;
        const auto grid = r.start + Period * static_cast<std::int64_t>(i + 1);
        lateness.push_back(toMs(r.arrivals[i] - grid));
    }
    Figures f;
    f.ticks = lateness.size();
    if (lateness.empty())
        return f;
    f.drift = lateness.back();
    // The same, robust against one late wake-up: the median lateness of the
    // last DriftWindow ticks.
    std::vector<double> last(lateness.end() - static_cast<std::ptrdiff_t>(
                                                  std::min(lateness.size(), DriftWindow)),
                             lateness.end());
    std::sort(last.begin(), last.end());
    f.driftMedian = percentile(last, 50);
    std::sort(lateness.begin(), lateness.end());
    f.min = lateness.front();
    f.p50 = percentile(lateness, 50);
    f.p99 = percentile(lateness, 99);
    f.max = lateness.back();
    return f;
}

// Busy-spinning threads, until destroyed.
class Load {
public:
    explicit Load(unsigned threads)
    {
        for (unsigned i = 0; i < threads; ++i)
            threads_.emplace_back([this] {
                std::uint64_t x = 0;
                while (!stop_.load(std::memory_order_relaxed))
                    x = x * 6364136223846793005ull + 1442695040888963407ull;
                sink_.fetch_add(x, std::memory_order_relaxed);
            });
    }
    ~Load()
    {
        stop_ = true;
        for (auto& t : threads_)
            t.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> sink_{0};
    std::vector<std::thread> threads_;
};

struct PhaseResult {
    std::string phase;
    Record records[3];
    Clock::time_point ends[3];
};

// Runs the three sources side by side for `seconds`. A tick counts when it
// arrives before its source's start + seconds + half a period, so an exact
// source counts seconds × 5 ticks.
void runPhase(const std::string& name, int seconds, unsigned loadThreads, PhaseResult& out)
{
    out.phase = name;
    const std::size_t expected = static_cast<std::size_t>(seconds) * 1000 / PeriodMs;
    const auto length = std::chrono::seconds(seconds) + Period / 2;

    Record& real = out.records[0];
    Record& qtimer = out.records[1];
    Record& sleeper = out.records[2];
    real.name = "SystemTickSource";
    qtimer.name = "QTimer (coarse, restarted)";
    sleeper.name = "sleep_for thread";
    for (Record& r : out.records)
        r.reserve(expected + 16);

    std::optional<Load> load;
    if (loadThreads > 0) {
        load.emplace(loadThreads);
        std::this_thread::sleep_for(500ms); // let the load settle on the cores
    }

    QEventLoop loop;

    // b. The naive QTimer, started from its own timeout.
    QTimer timer;
    timer.setSingleShot(true);
    timer.setInterval(PeriodMs);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        qtimer.arrivals.push_back(Clock::now());
        timer.start();
    });

    // c. The sleeping thread: records its arrivals, posts nothing.
    std::atomic<bool> stopSleeper{false};
    std::atomic<bool> goSleeper{false};
    std::thread sleepThread([&] {
        while (!goSleeper.load())
            std::this_thread::yield();
        sleeper.start = Clock::now();
        const auto end = sleeper.start + length;
        while (!stopSleeper.load(std::memory_order_relaxed)) {
            std::this_thread::sleep_for(Period);
            const auto now = Clock::now();
            sleeper.arrivals.push_back(now);
            if (now > end)
                break;
        }
    });

    // a. The program's source. Its grid start is read back from the grid
    // itself: the first deadline lies one period after it.
    kestrova::SystemTickSource source;
    const kestrova::TimerId id =
        source.startPeriodic(PeriodMs, [&] { real.arrivals.push_back(Clock::now()); });
    if (id == 0) {
        std::fprintf(stderr, "tick_accuracy: SystemTickSource did not start\n");
        std::exit(1);
    }
    real.start = Clock::time_point(
        std::chrono::duration_cast<Clock::duration>(source.grid(id)->nextDeadline() - Period));
    real.reportsDropped = true;

    qtimer.start = Clock::now();
    timer.start();
    goSleeper = true;

    // The phase ends half a period after the last grid point of the latest
    // started source.
    QTimer endTimer;
    endTimer.setSingleShot(true);
    endTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&endTimer, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto lengthMs = std::chrono::duration_cast<std::chrono::milliseconds>(length).count();
    endTimer.start(static_cast<int>(lengthMs) + 20);
    loop.exec();

    if (const kestrova::TickGrid* grid = source.grid(id))
        real.dropped = grid->dropped();
    source.cancel(id);
    timer.stop();
    stopSleeper = true;
    sleepThread.join();
    load.reset();

    for (int i = 0; i < 3; ++i)
        out.ends[i] = out.records[i].start + length;
}

std::string cpuModel()
{
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("model name", 0) == 0) {
            const auto colon = line.find(':');
            if (colon != std::string::npos) {
                auto model = line.substr(colon + 1);
                model.erase(0, model.find_first_not_of(" \t"));
                return model;
            }
        }
    }
    return "unknown";
}

std::string kernel()
{
    utsname u{};
    if (uname(&u) != 0)
        return "unknown";
    return std::string(u.sysname) + " " + u.release + " " + u.machine;
}

[[noreturn]] void usage(const char* why)
{
    std::fprintf(stderr,
                 "tick_accuracy: %s\n"
                 "usage: tick_accuracy [--seconds N] [--phase idle|load|both]\n"
                 "  --seconds N  length of each phase, 1..600 seconds (default 60)\n"
                 "  --phase P    idle, load (two busy-spinning threads) or both (default)\n",
                 why);
    std::exit(2);
}

} // namespace

int main(int argc, char** argv)
{
    int seconds = 60;
    std::string phase = "both";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--seconds" || arg == "--phase") && i + 1 >= argc)
            usage("missing value");
        if (arg == "--seconds") {
            char* endp = nullptr;
            const long v = std::strtol(argv[++i], &endp, 10);
            if (!endp || *endp != '\0' || v < 1 || v > 600)
                usage("--seconds must be a whole number from 1 to 600");
            seconds = static_cast<int>(v);
        } else if (arg == "--phase") {
            phase = argv[++i];
            if (phase != "idle" && phase != "load" && phase != "both")
                usage("--phase must be idle, load or both");
        } else if (arg == "--load") {
            phase = "load";
        } else if (arg == "-h" || arg == "--help") {
            usage("timing accuracy of the 200 ms tick");
        } else {
            usage(("unknown argument " + arg).c_str());
        }
    }

    // The Qt arguments are not passed on: the event loop needs none.
    int qtArgc = 1;
    QCoreApplication app(qtArgc, argv);

    const long cores = sysconf(_SC_NPROCESSORS_ONLN);
    const unsigned loadThreads = 2;

    std::printf("# Tick accuracy, 200 ms period\n\n");
    std::printf("- machine: %ld cores (nproc), %s, %s\n", cores, cpuModel().c_str(),
                kernel().c_str());
    std::printf("- duration: %d s per phase (%d grid points), phases: %s\n", seconds,
                seconds * 1000 / PeriodMs, phase.c_str());
    std::printf("- load phase: %u busy-spinning threads of the benchmark\n", loadThreads);
    std::printf("- lateness: arrival of tick k minus start + k x 200 ms (ms, negative = early);\n"
                "  drift at end: the last counted tick's lateness; drift, last 5 s: the median\n"
                "  lateness of the last %zu ticks (one late wake-up does not move it)\n\n",
                DriftWindow);
    std::fflush(stdout);

    std::vector<PhaseResult> results;
    if (phase == "idle" || phase == "both") {
        results.emplace_back();
        runPhase("idle", seconds, 0, results.back());
    }
    if (phase == "load" || phase == "both") {
        results.emplace_back();
        runPhase("load", seconds, loadThreads, results.back());
    }

    const std::size_t expected = static_cast<std::size_t>(seconds) * 1000 / PeriodMs;
    std::printf("| phase | source | ticks (of %zu) | dropped | min ms | p50 ms | p99 ms | max ms "
                "| drift at end ms | drift, last 5 s ms |\n",
                expected);
    std::printf("|---|---|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const PhaseResult& r : results) {
        for (int i = 0; i < 3; ++i) {
            const Record& rec = r.records[i];
            const Figures f = figuresOf(rec, r.ends[i]);
            const std::string dropped = rec.reportsDropped ? std::to_string(rec.dropped) : "-";
            std::printf("| %s | %s | %zu | %s | %.3f | %.3f | %.3f | %.3f | %+.3f | %+.3f |\n",
                        r.phase.c_str(), rec.name, f.ticks, dropped.c_str(), f.min, f.p50,
                        f.p99, f.max, f.drift, f.driftMedian);
        }
    }
    return 0;
}
