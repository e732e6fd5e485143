// Media timings: opening a song, and opening and starting it until its first samples are heard
// on a (null) sound card, and the main thread's share of one step of the music's fade. The
// sound goes to a private PulseAudio server with a null sink, as in the media tests; what is
// heard is read from the sink's monitor as it comes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "bench_support.h"
#include "dialogs/program_options.h"
#include "media/background_music.h"
#include "media/m_player.h"
#include "media/null_sink.h"
#include "platform/dos_path.h"
#include "store/book_store.h"

namespace shelf {
namespace {

void PutLe(std::string& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

// A folder mapped as drive c: holding a 3 s tone, "c:\song.wav".
struct TSongFolder {
  TSongFolder() {
    setenv("XDG_CONFIG_HOME", Dir.path().toUtf8().constData(), 1);  // the music's settings
    FileSystem.MapDrive('c', Dir.path().toStdString());
    const std::uint32_t rate = 22050, count = rate * 3;
    std::string wav = "RIFF";
    PutLe(wav, 36 + count * 2, 4);
    wav += "WAVEfmt ";
    for (const auto [value, size] :
         {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {rate, 4}, {rate * 2, 4}, {2u, 2}, {16u, 2}})
      PutLe(wav, value, size);
    wav += "data";
    PutLe(wav, count * 2, 4);
    for (std::uint32_t i = 0; i < count; ++i)
      PutLe(wav, static_cast<std::uint16_t>(std::lround(9000 * std::sin(i * 0.12))), 2);
    std::ofstream(Dir.filePath("song.wav").toStdString(), std::ios::binary) << wav;
  }
  QTemporaryDir Dir;
  TDosFileSystem FileSystem;
  TBookStore Store{FileSystem};
};

// The private sound server, and a recorder of its monitor read as the samples arrive: Heard()
// is when the first loud one came in.
class TSinkListener {
 public:
  TSinkListener() : sink_(std::filesystem::path(dir_.path().toStdString())) {
    if (!sink_.Error().empty()) return;
    recorder_.setProgram("parec");
    recorder_.setArguments({"-d", "ci_null.monitor", "--raw", "--format=s16le", "--channels=1",
                            "--rate=8000", "--latency-msec=5"});
    QObject::connect(&recorder_, &QProcess::readyReadStandardOutput, [this] { Read(); });
    recorder_.start();
    recorder_.waitForStarted(5000);
    Settle();
  }
  ~TSinkListener() {
    recorder_.terminate();
    if (!recorder_.waitForFinished(3000)) recorder_.kill();
  }
  const std::string& Error() const { return sink_.Error(); }
  // Waits until the monitor has been quiet for a while, then listens afresh from `start`.
  void Settle() {
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < 150) {
      heard_.reset();
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      if (heard_) quiet.restart();
    }
    heard_.reset();
  }
  void Listen() { start_.start(); }
  // Milliseconds from Listen() to the first loud sample, once heard.
  std::optional<double> Heard() const { return heard_; }

 private:
  void Read() {
    const QByteArray bytes = recorder_.readAllStandardOutput();
    if (heard_ || !start_.isValid()) return;
    const auto* samples = reinterpret_cast<const std::int16_t*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size() / 2; ++i)
      if (std::abs(samples[i]) > 2000) {
        heard_ = static_cast<double>(start_.nsecsElapsed()) / 1e6;
        return;
      }
  }

  QTemporaryDir dir_;
  test::TNullSink sink_;
  QProcess recorder_;
  QElapsedTimer start_;
  std::optional<double> heard_;
};

// One sound server for the whole run, as a reader has: the sound output keeps its connection to
// the first server it found.
TSinkListener& Listener() {
  App();
  static TSinkListener listener;
  return listener;
}

void BM_OpenSong(benchmark::State& state) {
  TSinkListener& listener = Listener();
  if (!listener.Error().empty()) return state.SkipWithError(listener.Error().c_str());
  TSongFolder folder;
  TMPlayer player(folder.Store, folder.FileSystem);
  player.FileName = "c:\\song.wav";
  for (auto _ : state) {
    player.Open();
    state.PauseTiming();
    player.Close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenSong)->Unit(benchmark::kMillisecond)->Iterations(20);

// Opens the song unless it is open, plays it until the listener hears it (2 s at most), and
// closes it.
bool PlayUntilHeard(TSinkListener& listener, TMPlayer& player) {
  if (!player.Opened()) player.Open();
  player.Play();
  QElapsedTimer limit;
  limit.start();
  while (!listener.Heard() && limit.elapsed() < 2000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
  player.Close();
  return listener.Heard().has_value();
}

// Plays the song until its first samples are heard on the sink's monitor (which adds its own
// few milliseconds of recording latency); the time runs from the open when `timeOpen`, else
// from the start of the song opened beforehand.
void TimeFirstSamples(benchmark::State& state, bool timeOpen) {
  TSinkListener& listener = Listener();
  if (!listener.Error().empty()) return state.SkipWithError(listener.Error().c_str());
  TSongFolder folder;
  TMPlayer player(folder.Store, folder.FileSystem);
  player.FileName = "c:\\song.wav";
  // A new sound server takes over a second to start its first stream at a rate of its own;
  // a reader's server has long been running.
  listener.Listen();
  if (!PlayUntilHeard(listener, player)) return state.SkipWithError("the song was not heard");
  for (auto _ : state) {
    if (!timeOpen) player.Open();
    listener.Settle();
    listener.Listen();
    if (timeOpen) player.Open();
    if (!PlayUntilHeard(listener, player)) return state.SkipWithError("the song was not heard");
    state.SetIterationTime(*listener.Heard() / 1000);
  }
}

void BM_OpenAndStartSong(benchmark::State& state) {
  TimeFirstSamples(state, true);
}
BENCHMARK(BM_OpenAndStartSong)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

void BM_StartOpenedSong(benchmark::State& state) {
  TimeFirstSamples(state, false);
}
BENCHMARK(BM_StartOpenedSong)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

void BM_FadeTick(benchmark::State& state) {
  App();
  TSongFolder folder;
  TProgramOptions options;
  TBackgroundMusic music(folder.Store, folder.FileSystem, {"c:\\song.wav"}, "SOFTWARE\\bench",
                         options);
  music.StartBackgroundMusic();
  for (auto _ : state) {
    if (!music.FadeRunning()) {
      state.PauseTiming();
      music.StartVolumeFade(false);
      state.ResumeTiming();
    }
    music.FadeTick();
  }
  QCoreApplication::processEvents();
  music.StopBackgroundMusic(false);
}
BENCHMARK(BM_FadeTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace shelf
