#include "print/meta_file_printer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "html/document_view.h"
#include "html/html_fixture.h"
#include "platform/printer_device.h"
#include "print/prn_status_form.h"

namespace shelf::test {
namespace {

class MetaFilePrinterTest : public HtmlTest {
 protected:
  void SetUp() override {
    HtmlTest::SetUp();
    // No print server: the desktop knows no printer.
    qputenv("CUPS_SERVER", (Dir() / "no-cups.sock").string().c_str());
  }
};

TEST_F(MetaFilePrinterTest, ReportsNoPrinterAndRecordsOnDefaultSheet) {
  TPrinterDevice device;
  std::vector<int> notices;
  TMetaFilePrinter recorder(device, [&](int page, const std::string&) { notices.push_back(page); });
  EXPECT_EQ(notices, std::vector<int>{TMetaFilePrinter::kNoPrinterPage});
  EXPECT_TRUE(device.IsPdf());
  const TSheetMetrics m = TMetaFilePrinter::DefaultMetrics(false);
  EXPECT_EQ(m.PhysicalWidth, 2479);
  EXPECT_EQ(m.PhysicalHeight, 3508);
  EXPECT_EQ(TMetaFilePrinter::DefaultMetrics(true).OffsetX, 95);
  // Without a printer the sheet is the PDF output's A4.
  ASSERT_TRUE(recorder.RefreshMetrics());
  EXPECT_NEAR(recorder.Metrics().PhysicalWidth, 2480, 2);
}

TEST_F(MetaFilePrinterTest, DropsALastPageNobodyDrewOn) {
  TPrinterDevice device;
  TMetaFilePrinter recorder(device, {});
  std::vector<int> events;
  recorder.OnPageEvent = [&](int count, bool&) { events.push_back(count); };
  recorder.BeginDoc();
  recorder.Canvas().drawText(10, 10, "a");
  recorder.NewPage();
  recorder.EndDoc();
  EXPECT_EQ(recorder.PageCount(), 1);
  EXPECT_EQ(events, (std::vector<int>{1, 2}));
  // The white background covers the sheet less twice the offsets.
  const QRect bounds = recorder.Pages(0).boundingRect();
  const TSheetMetrics m = recorder.Metrics();
  EXPECT_EQ(bounds.size(),
            QSize(m.PhysicalWidth - 2 * m.OffsetX, m.PhysicalHeight - 2 * m.OffsetY));
}

TEST_F(MetaFilePrinterTest, AKeyInTheProgressWindowCancelsAndKeepsThePagesSoFar) {
  std::string page = "<body>";
  for (int i = 0; i < 400; ++i) page += "<p>строка " + std::to_string(i) + "</p>";
  AddPages({{"long.htm", page + "</body>"}});
  TDocumentView view(Store());
  view.resize(600, 400);
  ASSERT_TRUE(view.LoadFile(Dos("long.htm")));
  TPrinterDevice device;
  TMetaFilePrinter recorder(device, {});
  recorder.RefreshMetrics();
  const int all = view.PrintPages(recorder, 1.0);
  ASSERT_GT(all, 4);
  recorder.OnPageEvent = [&](int count, bool&) {
    if (count == 2) QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Space);
  };
  TPrnStatusForm status;
  EXPECT_TRUE(status.RunPreview(view, recorder, 1.0));
  EXPECT_EQ(recorder.PageCount(), 2);
  EXPECT_FALSE(view.OnPageEvent);  // the progress handler is gone after the run
}

}  // namespace
}  // namespace shelf::test
