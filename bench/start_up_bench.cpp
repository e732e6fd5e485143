// The program against a bare Qt Widgets window of the same size, run after run in turn: the time
// from start to the painted window (the sample book without its start clip), resident memory on
// the title screen, after ten chapters and after reading them again, and answering --version.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "media/null_sink.h"
#include "platform/copy_data_record.h"
#include "platform/registry.h"
#include "platform/window_bus.h"
#include "shell/stored_switches.h"

namespace shelf {
namespace {

constexpr int kWidth = 800, kHeight = 600;
const char* const kChapters[] = {"ENGINE.HTM",          "ENGINE_COOLING.HTM", "ENGINE_FUEL.HTM",
                                 "ENGINE_HEAD.HTM",     "BRAKES.HTM",         "CLUTCH.HTM",
                                 "GEARBOX.HTM",         "ELECTRICAL.HTM",     "STEERING.HTM",
                                 "SUSPENSION_FRONT.HTM"};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Resident memory of process `pid` in MiB.
double ResidentMiB(qint64 pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return 0;
}

void Wait(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
}

// Both programs run in the settings, runtime and data folders of this run, with the book's start
// clip off and a private sound server for its music; they draw on the display the benchmark was
// started on, or offscreen without one.
class Programs {
 public:
  Programs() {
    const std::string root = folders_.path().toStdString();
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
      setenv(name, (root + "/" + name).c_str(), 1);
    setenv("SHELF_REPORT_FIRST_PAINT", "1", 1);
    sink_ = std::make_unique<test::TNullSink>(root + "/sound");
    environment_ = QProcessEnvironment::systemEnvironment();
    if (environment_.value("DISPLAY").isEmpty())
      environment_.insert("QT_QPA_PLATFORM", "offscreen");
    App();
    TRegistry settings;
    settings.OpenKey(SettingsKeyPath(title_), true);
    settings.WriteBool("Clip", false);
    settings.CloseKey();
    asker_ = std::make_unique<Asker>();
  }

  // Starts `program` and returns the milliseconds until it has painted its window; `whilePainted`
  // runs before it is ended.
  double Show(QStringList program, const std::function<void(qint64 pid)>& whilePainted) {
    QProcess process;
    process.setProcessEnvironment(environment_);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(program.takeFirst(), program);
    while (!process.canReadLine() && process.waitForReadyRead(30000)) {
    }
    double ms = clock.nsecsElapsed() / 1e6;
    if (process.readLine().trimmed() != "painted") ms = -1;
    if (ms >= 0 && whilePainted) whilePainted(process.processId());
    process.kill();
    process.waitForFinished();
    return ms;
  }

  double Version(const QString& program) {
    QProcess process;
    process.setProcessEnvironment(environment_);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {"--version"});
    process.waitForFinished();
    return clock.nsecsElapsed() / 1e6;
  }

  // Shows the ten chapters in the running program, one after the other, each given time to paint.
  bool ReadChapters() {
    std::optional<TWindowId> window;
    for (int i = 0; i < 200 && !(window = TWindowBus::FindVisibleWindow(title_)); ++i) Wait(50);
    if (!window) return false;
    for (const char* chapter : kChapters) {
      if (!asker_->bus.SendCopyDataTo(*window,
                                      CopyDataRecord::Make(CopyDataRecord::kOpenPage, chapter)))
        return false;
      Wait(250);
    }
    return true;
  }

  QStringList Shelf() const { return {SHELF_PROGRAM, "--book", SHELF_SAMPLE_BOOK}; }
  QStringList Bare() const {
    return {BARE_WINDOW, QString::number(kWidth), QString::number(kHeight)};
  }

 private:
  QTemporaryDir folders_;
  std::unique_ptr<test::TNullSink> sink_;
  QProcessEnvironment environment_;
  std::string title_ = *Utf8ToCp1251("Вектор-2107. Руководство по ремонту и эксплуатации");
  struct Asker {
    Asker() {
      window.setWindowTitle("start_up_bench");
      window.show();
    }
    QWidget window;
    TWindowBus bus{window};
  };
  std::unique_ptr<Asker> asker_;
};

Programs& Both() {
  static Programs* programs = new Programs;
  return *programs;
}

void Report(benchmark::State& state, const char* name, const std::vector<double>& shelf,
            double bare) {
  state.counters[std::string("shelf_") + name] = Median(shelf);
  state.counters[std::string("ratio_") + name] = Median(shelf) / bare;
}

// Milliseconds from start to the painted window (wall time), medians of the runs.
void StartUpToPaintedWindow(benchmark::State& state) {
  Programs& programs = Both();
  std::vector<double> shelf, bare;
  for (auto _ : state) {
    shelf.push_back(programs.Show(programs.Shelf(), {}));
    bare.push_back(programs.Show(programs.Bare(), {}));
  }
  state.counters["bare_ms"] = Median(bare);
  Report(state, "ms", shelf, Median(bare));
}

// Resident MiB: the title screen, ten chapters read, and the same ten read once more.
void ResidentMemory(benchmark::State& state) {
  Programs& programs = Both();
  std::vector<double> title, read, reread, bare;
  for (auto _ : state) {
    programs.Show(programs.Shelf(), [&](qint64 pid) {
      Wait(500);
      title.push_back(ResidentMiB(pid));
      if (!programs.ReadChapters()) return state.SkipWithError("the chapters did not open");
      read.push_back(ResidentMiB(pid));
      programs.ReadChapters();
      reread.push_back(ResidentMiB(pid));
    });
    programs.Show(programs.Bare(), [&](qint64 pid) {
      Wait(500);
      bare.push_back(ResidentMiB(pid));
    });
  }
  const double floor = Median(bare);
  state.counters["bare_MiB"] = floor;
  Report(state, "title_MiB", title, floor);
  Report(state, "read_MiB", read, floor);
  Report(state, "reread_MiB", reread, floor);
  state.counters["reread_added_MiB"] = Median(reread) - Median(read);
}

// Milliseconds to answer --version.
void VersionAnswer(benchmark::State& state) {
  Programs& programs = Both();
  std::vector<double> shelf, bare;
  for (auto _ : state) {
    shelf.push_back(programs.Version(SHELF_PROGRAM));
    bare.push_back(programs.Version(BARE_WINDOW));
  }
  state.counters["bare_ms"] = Median(bare);
  Report(state, "ms", shelf, Median(bare));
}

BENCHMARK(StartUpToPaintedWindow)->Iterations(9)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ResidentMemory)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(VersionAnswer)->Iterations(21)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace shelf
