// Opening a page after a click on a link in the real window, end to end: the book's main window
// on its reading screen, a 20 KB page with five pictures from the container, the click, the
// load, the title label and the first paint of the page area.
#include <benchmark/benchmark.h>

#include <QMouseEvent>
#include <filesystem>
#include <fstream>

#include "bench_support.h"
#include "book/book_session.h"
#include "html/frame_viewer.h"
#include "pages/html_frame.h"
#include "shell/main_form.h"
#include "store/packed_container_writer.h"

namespace shelf {
namespace {

namespace fs = std::filesystem;

constexpr int kPages = 12;  // more than the history keeps, so every click loads afresh

// Page i opens with a link to page i + 1.
std::string LinkedPage(int i) {
  std::string page = ManualPage(20 * 1024, 5);
  const std::string link =
      "<p><a href=\"page" + std::to_string((i + 1) % kPages) + ".htm\">Далее</a></p>";
  page.insert(page.find("<center>"), link);
  return page;
}

class TBenchBook {
 public:
  TBenchBook() {
    App();
    std::string pattern = (fs::temp_directory_path() / "shelf-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder_ = pattern;
    setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (folder_ / "runtime").c_str(), 1);
    fs::create_directories(folder_ / "runtime");
    fs::permissions(folder_ / "runtime", fs::perms::owner_all);
    RPackedNode run{"RUN", true, {}, {}};
    run.Children.push_back(
        {"STRUCT.TXT",
         false,
         "1_screen=fon.png\r\n2_html vx=33;vy=90;vw=706;vh=511;fn=page0.htm;number=1\r\n"
         "2_text vx=40;vy=60;vw=400;font=arial;size=10;style=;color=0,0,0;value=;ident=;"
         "number=1\r\n2_screen=fon.png\r\n",
         {}});
    run.Children.push_back({"FON.PNG", false, Png(800, 600, 7), {}});
    RPackedNode pics{"PICS", true, {}, {}};
    for (int i = 0; i < 5; ++i)
      pics.Children.push_back({"P" + std::to_string(i) + ".PNG", false, Png(160, 120, i + 1), {}});
    run.Children.push_back(pics);
    for (int i = 0; i < kPages; ++i)
      run.Children.push_back({"PAGE" + std::to_string(i) + ".HTM", false, LinkedPage(i), {}});
    RPackedNode root{"", true, {}, {run}};
    std::string bytes, error;
    if (!WritePackedContainer(root, {}, bytes, error)) std::abort();
    fs::create_directories(folder_ / "book/run");
    std::ofstream(folder_ / "book/run/interface.dat", std::ios::binary) << bytes;
    session_ = OpenBookSession(folder_ / "book", error);
    if (!session_) std::abort();
  }
  ~TBenchBook() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  TBookSession& Session() { return *session_; }

 private:
  fs::path folder_;
  std::unique_ptr<TBookSession> session_;
};

void Click(QWidget* target, QPoint at) {
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
  }
}

void BM_OpenPageByClickingALink(benchmark::State& state) {
  static TBenchBook book;
  TMainForm form(book.Session());
  if (form.BuildBookShell()) std::abort();
  form.SwitchScreen(1, TElementKind::Button, 0);
  TFrameViewer* viewer = form.PageAreas()->CurrentScreenViewer();
  QImage screen(viewer->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    TDocumentView* page = viewer->ActiveViewer();
    QPoint link;
    state.PauseTiming();
    for (int y = 0; y < 60 && link.isNull(); y += 2)
      for (int x = 0; x < 200 && link.isNull(); x += 2)
        if (!page->ObjectAt({x, y}).Url.empty()) link = {x, y};
    state.ResumeTiming();
    const std::string before = viewer->CurrentFile();
    Click(page->viewport(), link);
    viewer->render(&screen);
    state.PauseTiming();
    if (viewer->CurrentFile() == before) {
      state.SkipWithError("the click opened no page");
      break;
    }
    QCoreApplication::processEvents();  // the previous page is freed after the new one shows
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenPageByClickingALink)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace shelf
