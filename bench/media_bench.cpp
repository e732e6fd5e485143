// Media timings: opening a song and starting it until its first frame has been played, and the
// main thread's share of one step of the music's fade.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cmath>
#include <fstream>

#include "bench_support.h"
#include "media/background_music.h"
#include "media/m_player.h"
#include "media/media_options.h"
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

void BM_OpenAndStartSong(benchmark::State& state) {
  App();
  TSongFolder folder;
  TMPlayer player(folder.Store, folder.FileSystem);
  player.FileName = "c:\\song.wav";
  for (auto _ : state) {
    player.Open();
    player.Play();
    QElapsedTimer limit;
    limit.start();
    while (player.Position() <= 0 && limit.elapsed() < 2000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    state.PauseTiming();
    player.Close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenAndStartSong)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_FadeTick(benchmark::State& state) {
  App();
  TSongFolder folder;
  TMediaOptions options;
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
