// Media timings: opening a song, and opening and starting it until its first samples are heard
// on a (null) sound card, a sound link clicked while the music plays, and the main thread's
// share of one step of the music's fade. The
// sound goes to a private PulseAudio server with a null sink, as in the media tests; what is
// heard is read from the sink's monitor as it comes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdlib>
#include <optional>
#include <vector>

#include "bench_support.h"
#include "book/book_session.h"
#include "media/background_music.h"
#include "media/m_player.h"
#include "media/null_sink.h"
#include "media/sound.h"
#include "platform/pcm_decoder.h"
#include "settings/program_options.h"

namespace shelf {
namespace {

// The sample book, whose songs are one of each kind a book plays: WAV, MP3 and MIDI.
struct TSampleBook {
  TSampleBook() {
    setenv("XDG_CONFIG_HOME", Settings.path().toUtf8().constData(), 1);  // the music's settings
    std::string error;
    Session = OpenBookSession(SHELF_SAMPLE_BOOK, error);
    if (!Session) std::fprintf(stderr, "%s\n", error.c_str());
  }
  std::string Song(std::int64_t index) const {
    static const char* const songs[] = {"media\\song1.wav", "media\\song2.mp3", "media\\song3.mid"};
    return Session->Folders.ProgramDir + songs[index];
  }
  QTemporaryDir Settings;
  std::unique_ptr<TBookSession> Session;
};

const char* const kKinds[] = {"WAV", "MP3", "MIDI"};
// A sample this far from silence is heard.
constexpr int kLoud = 1000;

// How far into the open song its first loud sample lies: an MP3 starts with its encoder's
// delay, silence no player can make heard sooner.
double LeadInMs(const TMPlayer& player) {
  auto decoder = TPcmDecoder::Open(player.MediaFile(), player.MediaKind());
  if (!decoder) return 0;
  decoder->Restart(0);
  std::vector<std::int16_t> samples(4096);
  std::int64_t frames = 0;
  const int channels = decoder->Format().channels;
  for (qint64 got; (got = decoder->read(reinterpret_cast<char*>(samples.data()), 8192)) > 0;) {
    for (qint64 i = 0; i < got / 2; ++i)
      if (std::abs(samples[i]) > kLoud)
        return (frames + i / channels) * 1000.0 / decoder->Format().rate;
    frames += got / 2 / channels;
  }
  return 0;
}

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
      if (std::abs(samples[i]) > kLoud) {
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
  TSampleBook book;
  if (!book.Session) return state.SkipWithError("the sample book did not open");
  TMPlayer player(book.Session->Store, book.Session->FileSystem);
  player.FileName = book.Song(state.range(0));
  state.SetLabel(kKinds[state.range(0)]);
  for (auto _ : state) {
    player.Open();
    state.PauseTiming();
    player.Close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenSong)->Unit(benchmark::kMillisecond)->DenseRange(0, 2)->Iterations(20);

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
// from the start of the song opened beforehand, less the silence the song itself begins with.
void TimeFirstSamples(benchmark::State& state, bool timeOpen) {
  TSinkListener& listener = Listener();
  if (!listener.Error().empty()) return state.SkipWithError(listener.Error().c_str());
  TSampleBook book;
  if (!book.Session) return state.SkipWithError("the sample book did not open");
  TMPlayer player(book.Session->Store, book.Session->FileSystem);
  player.FileName = book.Song(state.range(0));
  state.SetLabel(kKinds[state.range(0)]);
  player.Open();
  const double leadIn = LeadInMs(player);
  state.counters["lead_in_ms"] = leadIn;
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
    state.SetIterationTime((*listener.Heard() - leadIn) / 1000);
  }
}

void BM_OpenAndStartSong(benchmark::State& state) {
  TimeFirstSamples(state, true);
}
BENCHMARK(BM_OpenAndStartSong)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->DenseRange(0, 2)
    ->Iterations(20);

void BM_StartOpenedSong(benchmark::State& state) {
  TimeFirstSamples(state, false);
}
BENCHMARK(BM_StartOpenedSong)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->DenseRange(0, 2)
    ->Iterations(20);

// The window a sound link plays from, reduced to what the clip player asks of it.
class TBenchSoundHost : public TSoundHost {
 public:
  int CurrentScreen() const override { return 0; }
  void ShowClipPage(int, const std::string&) override {}
  void DecoderMissing(const std::string&) override {}
  void SetWaitCursor(bool) override {}
  void ShowStatus(const std::string&) override {}
};

// A ".wav" link clicked while the music plays (the music is stopped for it), and, as its
// reference, the same link with no music: from the click to the link's first samples heard.
// The music is still fading in, too faint to be taken for the link.
void BM_SoundLinkOverMusic(benchmark::State& state) {
  TSinkListener& listener = Listener();
  if (!listener.Error().empty()) return state.SkipWithError(listener.Error().c_str());
  TSampleBook book;
  if (!book.Session) return state.SkipWithError("the sample book did not open");
  const bool withMusic = state.range(0) == 1;
  state.SetLabel(withMusic ? "over the music" : "alone");
  TProgramOptions options;
  TBackgroundMusic music(book.Session->Store, book.Session->FileSystem, {book.Song(0)},
                         "SOFTWARE\\bench", options);
  QWidget window;
  TBenchSoundHost host;
  TSound sound(book.Session->Store, book.Session->FileSystem, window, host, {});
  sound.SetBackgroundMusic(&music);
  const std::string link = book.Session->Folders.ProgramDir + "horn.wav";
  for (auto _ : state) {
    state.PauseTiming();
    sound.Close();
    options.BGSound = withMusic;
    if (withMusic) {
      music.StartBackgroundMusic();
      QElapsedTimer playing;
      playing.start();
      while (playing.elapsed() < 200) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    listener.Settle();
    state.ResumeTiming();
    listener.Listen();
    sound.PlayClip(link, "", kPlayKindClose);
    QElapsedTimer limit;
    limit.start();
    while (!listener.Heard() && limit.elapsed() < 3000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    if (!listener.Heard()) return state.SkipWithError("the link was not heard");
    state.SetIterationTime(*listener.Heard() / 1000);
    state.PauseTiming();
    sound.Close();
    music.StopBackgroundMusic(false);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SoundLinkOverMusic)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->DenseRange(0, 1)
    ->Iterations(10);

void BM_FadeTick(benchmark::State& state) {
  App();
  TSampleBook book;
  if (!book.Session) return state.SkipWithError("the sample book did not open");
  TProgramOptions options;
  TBackgroundMusic music(book.Session->Store, book.Session->FileSystem, {book.Song(0)},
                         "SOFTWARE\\bench", options);
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
