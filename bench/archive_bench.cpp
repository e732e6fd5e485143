// Listing a large RAR archive as pages (open, read every header, build and write the folder
// pages) and one synchronous copy-data round trip between two windows.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QWidget>
#include <filesystem>

#include "archive/unrar.h"
#include "bench_support.h"
#include "platform/dos_path.h"
#include "platform/window_bus.h"
#include "rar4_writer.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

class QuietHost : public TUnRarHost {
 public:
  void ShowArchiveMessage(const std::string&) override { ++messages; }
  void OpenListingPage(const std::string&) override {}
  bool ArchiveMode() const override { return false; }
  std::optional<fs::path> ChosenFolder() const override { return std::nullopt; }
  void SetBusy(bool) override {}
  bool AskArchiveQuestion(const std::string&) override { return false; }
  int messages = 0;
};

fs::path MakeFolder(const char* name) {
  std::string pattern = (fs::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
  return mkdtemp(pattern.data());
}

// 10 000 files in 100 folders under 10 top folders, none of them stored as a folder entry.
void ListLargeArchive(benchmark::State& state) {
  const fs::path dir = MakeFolder("shelf-archive-bench");
  std::vector<rar4::TRar4Entry> entries;
  for (int i = 0; i < state.range(0); ++i) {
    const std::string folder =
        "part" + std::to_string(i % 10) + "\\group" + std::to_string(i % 100) + "\\";
    entries.push_back({folder + "file" + std::to_string(i) + ".txt", std::string(i % 64, 'x'),
                       false, false, rar4::DosTime(2024, 1 + i % 12, 1 + i % 28, 12, 0, 0)});
  }
  rar4::WriteFile(dir / "big.rar", rar4::WriteRar4(entries));
  fs::create_directories(dir / "temp");
  TDosFileSystem files;
  files.MapDrive('c', "/");
  QuietHost host;
  TUnRar unrar(host, files, *files.ToDos(dir / "temp", true));
  const std::string archive = *files.ToDos(dir / "big.rar", false);
  for (auto _ : state) {
    unrar.ShowArchive(archive, "c:\\page.htm");
    state.PauseTiming();
    unrar.CleanTempFiles();  // so that the next round lists it again
    state.ResumeTiming();
  }
  if (host.messages != 0) state.SkipWithError("the archive was not read cleanly");
  fs::remove_all(dir);
}
BENCHMARK(ListLargeArchive)->Arg(10000)->Unit(benchmark::kMillisecond);

void CopyDataRoundTrip(benchmark::State& state) {
  const fs::path runtime = MakeFolder("shelf-bus-bench");
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  App();
  QWidget asker, answerer;
  asker.setWindowTitle("Asker");
  answerer.setWindowTitle("Answerer");
  asker.show();
  answerer.show();
  TWindowBus from(asker), to(answerer);
  int answers = 0;
  to.OnCopyData = [&](const CopyDataRecord&, const TWindowId& sender) {
    to.SendMessageTo(sender, TWindowBus::kPictureAnswer, 1);  // the nested reply of a query
  };
  from.OnMessage = [&](int, std::int64_t, const TWindowId&) { ++answers; };
  const CopyDataRecord query = CopyDataRecord::Make(CopyDataRecord::kPictureQuery, "d:\\p.jpg");
  for (auto _ : state)
    if (!from.SendCopyDataTo(to.Id(), query)) state.SkipWithError("no answer");
  if (answers != static_cast<int>(state.iterations())) state.SkipWithError("replies were lost");
  fs::remove_all(runtime);
}
BENCHMARK(CopyDataRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace shelf
