#include "print/preview_form.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QProcess>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <thread>

#include "html/document_view.h"
#include "html/html_fixture.h"
#include "platform/printer_device.h"
#include "platform/qt_translations.h"
#include "print/meta_file_printer.h"
#include "print/print_job.h"
#include "print/sheet_box.h"
#include "print/wrap_tool_bar.h"

namespace shelf::test {
namespace {

std::string Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(30000);
  return p.readAllStandardOutput().toStdString();
}

// Points the desktop's print queues at the print server listening on `socket` (none there: no
// queues at all). libcups keeps the server it found first, so it is told, not just the variable.
void UseCupsServer(const std::filesystem::path& socket) {
  qputenv("CUPS_SERVER", socket.string().c_str());
  cupsSetServer(socket.c_str());
}

class PreviewFormTest : public HtmlTest {
 protected:
  void SetUp() override {
    HtmlTest::SetUp();
    UseCupsServer(Dir() / "no-cups.sock");
  }
  void TearDown() override {
    cupsSetServer(nullptr);
    HtmlTest::TearDown();
  }
  // A chapter of `lines` paragraphs, "строка N" each.
  std::unique_ptr<TDocumentView> Chapter(int lines) {
    std::string page = "<body>";
    for (int i = 0; i < lines; ++i) page += "<p>строка " + std::to_string(i) + "</p>";
    AddPages({{"ch.htm", page + "</body>"}});
    auto view = std::make_unique<TDocumentView>(Store());
    view->resize(600, 400);
    EXPECT_TRUE(view->LoadFile(Dos("ch.htm")));
    return view;
  }
  static QString Text(const char* utf8) { return ToQString(Utf8ToCp1251Lossy(utf8)); }
};

TEST_F(PreviewFormTest, OnePageDocumentHasNoNavigationNorTwoSheets) {
  auto view = Chapter(3);
  std::vector<int> notices;
  TPreviewForm preview(nullptr, 0, 0, false, *view,
                       [&](int page, const std::string&) { notices.push_back(page); });
  ASSERT_FALSE(preview.Failed());
  EXPECT_EQ(notices, std::vector<int>{TMetaFilePrinter::kNoPrinterPage});
  EXPECT_EQ(preview.Recorder().PageCount(), 1);
  for (const char* name :
       {"FirstPageBut", "PrevPageBut", "NextPageBut", "LastPageBut", "GoToPageBut", "TwoPageBut"})
    EXPECT_FALSE(preview.Button(name)->isEnabled()) << name;
  EXPECT_TRUE(preview.Button("OnePageBut")->isChecked());
  EXPECT_EQ(preview.StatusPanel(0)->text(), Text("Страница 1 из 1"));
}

TEST_F(PreviewFormTest, NavigatesSheetsAndShowsThem) {
  auto view = Chapter(160);
  TPreviewForm preview(nullptr, 0, 0, false, *view);
  ASSERT_GE(preview.Recorder().PageCount(), 3);
  EXPECT_EQ(preview.StatusPanel(2)->text(), Text(" Масштаб печати: 100%"));
  preview.show();
  QTest::keyClick(preview.ScrollBox()->viewport(), Qt::Key_End);
  EXPECT_EQ(preview.ShownPage(), preview.Recorder().PageCount() - 1);
  EXPECT_FALSE(preview.Button("NextPageBut")->isEnabled());
  QTest::keyClick(preview.ScrollBox()->viewport(), Qt::Key_Home);
  QTest::keyClick(preview.ScrollBox()->viewport(), Qt::Key_PageDown);
  EXPECT_EQ(preview.ShownPage(), 1);
  preview.Button("TwoPageBut")->trigger();
  EXPECT_TRUE(preview.Sheet(1)->isVisible());
  // The print-scale tool renders again: a larger print needs more sheets.
  const int before = preview.Recorder().PageCount();
  preview.Button("ZoomCursorPrintBut")->trigger();
  QTest::mouseClick(preview.Sheet(0), Qt::LeftButton);
  EXPECT_NEAR(preview.PrintScale(), 1.1, 1e-9);
  EXPECT_GT(preview.Recorder().PageCount(), before);
  const QImage shot = preview.grab().toImage();
  shot.save(QString::fromStdString((Dir() / "preview.png").string()));
  if (const char* keep = std::getenv("SHELF_SCREENSHOTS"))
    shot.save(QString(keep) + "/preview.png");
}

TEST_F(PreviewFormTest, WidePicturePageTurnsTheSheet) {
  AddFiles({{"wide.png", SolidPng(1600, 500, Qt::darkBlue)},
            {"small.png", SolidPng(200, 100, Qt::darkBlue)}});
  AddPages({{"wide.htm", "<body><img src=wide.png></body>"},
            {"small.htm", "<body><img src=small.png></body>"}});
  TDocumentView view(Store());
  ASSERT_TRUE(view.LoadFile(Dos("wide.htm")));
  TPreviewForm wide(nullptr, 500, 1600, true, view);
  EXPECT_TRUE(wide.Recorder().Landscape());
  EXPECT_TRUE(wide.Button("PageOrientationBut")->isChecked());
  EXPECT_NEAR(wide.StartPrintScale(), double(wide.AvailableArea(1).width()) / 1600, 0.01);
  EXPECT_EQ(wide.Recorder().PageCount(), 1);
  ASSERT_TRUE(view.LoadFile(Dos("small.htm")));
  TPreviewForm small(nullptr, 100, 200, true, view);
  EXPECT_FALSE(small.Recorder().Landscape());
  EXPECT_EQ(small.StartPrintScale(), 1.0);
}

TEST_F(PreviewFormTest, PrintsIntoAPdfWithoutAnyPrinter) {
  auto view = Chapter(160);
  TPreviewForm preview(nullptr, 0, 0, false, *view);
  ASSERT_TRUE(preview.Device().IsPdf());
  const std::filesystem::path pdf = Dir() / "out.pdf";
  preview.AskPdfFileName = [&] { return QString::fromStdString(pdf.string()); };
  preview.Print();
  EXPECT_EQ(PdfPages(pdf), preview.Recorder().PageCount());
  const std::string text = PdfText(pdf);
  EXPECT_NE(text.find("строка 0"), std::string::npos);
  EXPECT_NE(text.find("строка 159"), std::string::npos);
}

// Every button shows a picture (the desktop theme's, or the program's own where there is no
// theme), drawn anew at twice the size rather than blown up; the status bar's panels are as wide
// as their texts; with captions on the buttons wrap onto more rows, none hidden.
TEST_F(PreviewFormTest, ButtonsHavePicturesPanelsFitTheirTextsAndCaptionsWrap) {
  auto view = Chapter(160);
  TPreviewForm preview(nullptr, 0, 0, false, *view);
  const QList<QAction*> buttons = preview.Toolbar()->findChildren<QAction*>();
  ASSERT_EQ(buttons.size(), 17);
  for (QAction* button : buttons) {
    const QIcon icon = button->icon();
    ASSERT_FALSE(icon.isNull()) << button->objectName().toStdString();
    const QImage small = icon.pixmap(QSize(16, 16), 1.0).toImage();
    const QImage sharp = icon.pixmap(QSize(16, 16), 2.0).toImage();
    ASSERT_EQ(sharp.size(), QSize(32, 32)) << button->objectName().toStdString();
    // Something is drawn, and at 2x it is more than the small picture doubled.
    EXPECT_NE(small, QImage(small.size(), small.format())) << button->objectName().toStdString();
    EXPECT_NE(sharp, small.scaled(32, 32).convertToFormat(sharp.format()))
        << button->objectName().toStdString();
  }
  // The orientation button shows which way the sheet lies.
  const QIcon orientation = preview.Button("PageOrientationBut")->icon();
  EXPECT_NE(orientation.pixmap(16, QIcon::Normal, QIcon::On).toImage(),
            orientation.pixmap(16, QIcon::Normal, QIcon::Off).toImage());

  preview.resize(700, 500);
  preview.show();
  for (const int row : {0, 11}) {
    preview.ZoomBox()->setCurrentIndex(row);
    emit preview.ZoomBox()->activated(row);
    QApplication::processEvents();
    for (int panel = 0; panel < 3; ++panel) {
      const QLabel* label = preview.StatusPanel(panel);
      EXPECT_GE(label->contentsRect().width(),
                label->fontMetrics().horizontalAdvance(label->text()))
          << label->text().toStdString();
    }
  }
  const int rows = preview.Toolbar()->Rows();
  preview.PopupMenu()->actions()[1]->trigger();  // "Подписи  к кнопкам"
  QApplication::processEvents();
  EXPECT_GT(preview.Toolbar()->Rows(), rows);
  const QRect bar = preview.Toolbar()->rect();
  for (QAction* button : buttons) {
    const QToolButton* shown = preview.Toolbar()->ButtonOf(button);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(bar.contains(shown->geometry())) << button->objectName().toStdString();
  }
  EXPECT_TRUE(bar.contains(preview.ZoomBox()->geometry()));
  EXPECT_GE(preview.ScrollBox()->y(), bar.bottom());
  if (const char* keep = std::getenv("SHELF_SCREENSHOTS"))
    preview.grab().save(QString(keep) + "/preview-captions.png");
}

// The reader gives a name without ".pdf" in the desktop's file dialog, which speaks the
// book's language, and gets a PDF file with the suffix.
TEST_F(PreviewFormTest, ThePdfDialogSpeaksTheBooksLanguageAndTheFileGetsItsSuffix) {
  for (const auto& [typed, saved] : std::vector<std::pair<QString, QString>>{
           {"a", "a.pdf"}, {"a.PDF", "a.PDF"}, {"a.v2", "a.v2.pdf"}, {"", ""}})
    EXPECT_EQ(WithPdfSuffix(typed), saved);

  ASSERT_TRUE(UseQtTranslations(BookLocale()));
  auto view = Chapter(160);
  TPreviewForm preview(nullptr, 0, 0, false, *view);
  const std::filesystem::path typed = Dir() / "report";
  QStringList labels;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    poll.stop();
    for (const QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
    if (const char* keep = std::getenv("SHELF_SCREENSHOTS"))
      dialog->grab().save(QString(keep) + "/pdf-dialog.png");
    dialog->selectFile(QString::fromStdString(typed.string()));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  poll.start();
  preview.Print();
  QLocale::setDefault(QLocale::c());
  EXPECT_TRUE(labels.contains(QString::fromUtf8("&Имя файла:"))) << labels.join('|').toStdString();
  std::filesystem::path pdf = typed;
  pdf += ".pdf";
  EXPECT_EQ(PdfPages(pdf), preview.Recorder().PageCount());
}

// A private print server whose one queue writes the PDF it gets into a file.
class CupsQueue {
 public:
  explicit CupsQueue(const std::filesystem::path& dir) : dir_(dir) {
    std::filesystem::create_directories(dir / "spool");
    std::filesystem::create_directories(dir / "cache");
    std::filesystem::create_directories(dir / "log");
    // The queue's filter runs as the print user and reads the job from the spool folder
    // inside: the test's private folder must let it pass (not list or write).
    std::filesystem::permissions(
        dir.parent_path(), std::filesystem::perms::group_exec | std::filesystem::perms::others_exec,
        std::filesystem::perm_options::add);
    const std::string d = dir.string();
    WriteTree(dir, {{"cupsd.conf", "Listen " + d +
                                       "/cups.sock\nLogLevel warn\n"
                                       "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"},
                    {"cups-files.conf",
                     "FileDevice Yes\nCacheDir " + d + "/cache\nStateDir " + d + "\nRequestRoot " +
                         d + "/spool\nTempDir " + d + "/spool\nServerRoot " + d + "\nErrorLog " +
                         d + "/log/error_log\nAccessLog " + d + "/log/access_log\nPageLog " + d +
                         "/log/page_log\nPrintcap " + d +
                         "/printcap\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                         "User lp\nGroup lp\n"},
                    {"pdf.ppd", Ppd()}});
    server_.start("/usr/sbin/cupsd", {"-f", "-c", QString::fromStdString(d + "/cupsd.conf"), "-s",
                                      QString::fromStdString(d + "/cups-files.conf")});
    server_.waitForStarted(5000);
    UseCupsServer(dir / "cups.sock");
    for (int i = 0; i < 250 && !std::filesystem::exists(dir / "cups.sock"); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Run("lpadmin", {"-p", "FilePDF", "-E", "-v", QString::fromStdString("file://" + d + "/out.pdf"),
                    "-P", QString::fromStdString(d + "/pdf.ppd")});
    Run("lpadmin", {"-d", "FilePDF"});
  }
  ~CupsQueue() {
    server_.terminate();
    server_.waitForFinished(5000);
  }
  bool Ready() const { return server_.state() == QProcess::Running; }
  std::filesystem::path Output() const { return dir_ / "out.pdf"; }
  // Waits until the queue has written the whole job.
  bool WaitForOutput() const {
    for (int i = 0; i < 300; ++i) {
      if (PdfPages(Output()) > 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

 private:
  // The queue takes PDF and hands it on unchanged through "gziptoany": a queue without any
  // filter ("-") gives the server nothing to run, and it marks the job done without writing
  // the file.
  static std::string Ppd() {
    return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
           "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"PDFFILE.PPD\"\n"
           "*Manufacturer: \"Shelf\"\n*Product: \"(File PDF)\"\n*ModelName: \"File PDF\"\n"
           "*ShortNickName: \"File PDF\"\n*NickName: \"File PDF\"\n*PSVersion: \"(3010.000) 0\"\n"
           "*LanguageLevel: \"3\"\n*ColorDevice: True\n*DefaultColorSpace: RGB\n"
           "*FileSystem: False\n*Throughput: \"1\"\n*LandscapeOrientation: Plus90\n"
           "*TTRasterizer: Type42\n*cupsVersion: 2.4\n*cupsFilter: \"application/pdf 0 "
           "gziptoany\"\n"
           "*OpenUI *PageSize/Page Size: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n"
           "*DefaultPageSize: A4\n*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
           "*CloseUI: *PageSize\n*DefaultImageableArea: A4\n"
           "*ImageableArea A4/A4: \"18 18 577 824\"\n*DefaultPaperDimension: A4\n"
           "*PaperDimension A4/A4: \"595 842\"\n";
  }
  std::filesystem::path dir_;
  QProcess server_;
};

TEST_F(PreviewFormTest, PrintsTwoSheetsOfAChapterOnACupsQueue) {
  CupsQueue queue(Dir() / "cups");
  ASSERT_TRUE(queue.Ready());
  auto view = Chapter(50);
  std::vector<int> notices;
  TPreviewForm preview(nullptr, 0, 0, false, *view,
                       [&](int page, const std::string&) { notices.push_back(page); });
  ASSERT_FALSE(preview.Failed());
  EXPECT_TRUE(notices.empty());
  ASSERT_FALSE(preview.Device().IsPdf());
  EXPECT_EQ(preview.Device().Name(), "FilePDF");
  ASSERT_EQ(preview.Recorder().PageCount(), 2);
  // The reader confirms the desktop's print dialog as it comes.
  QTimer::singleShot(0, [] {
    if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
      QMetaObject::invokeMethod(dialog, "accept");
  });
  preview.Print();
  ASSERT_TRUE(queue.WaitForOutput()) << ReadFile(Dir() / "cups" / "log" / "error_log");
  EXPECT_EQ(PdfPages(queue.Output()), 2);
  const std::string text = PdfText(queue.Output());
  EXPECT_NE(text.find("строка 0"), std::string::npos);
  EXPECT_NE(text.find("строка 49"), std::string::npos);
  if (const char* keep = std::getenv("SHELF_SCREENSHOTS"))
    std::filesystem::copy_file(queue.Output(), std::filesystem::path(keep) / "cups-queue.pdf",
                               std::filesystem::copy_options::overwrite_existing);
}

}  // namespace
}  // namespace shelf::test
