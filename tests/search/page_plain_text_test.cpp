#include "search/page_plain_text.h"

#include <gtest/gtest.h>

#include "book/book_session.h"
#include "html/document_view.h"
#include "html/html_fixture.h"
#include "platform/cp1251.h"
#include "store/book_path.h"

namespace shelf::test {
namespace {

TEST(PagePlainTextTest, ReadsTheTextAsTheReaderSeesIt) {
  struct Case {
    const char* page;
    const char* text;
  } cases[] = {
      {"<html><head><title>Заголовок</title><style>p{}</style></head><body><p>Раз  два\n"
       "три</p><p>четыре</p></body></html>",
       "Раз два три\nчетыре\n"},
      {"<p>Тор<b>моз</b>ной &amp; &laquo;диск&raquo;&#33;&nbsp;x</p>", "Тормозной & «диск»! x\n"},
      {"<script>var a = '<p>скрыто</p>';</script>видно<!-- нет -->", "видно\n"},
      {"a<br>b<table><tr><td>c<td>d</table>", "a\nb\nc\nd\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Cp1251ToUtf8(PagePlainText(*Utf8ToCp1251(c.page))), c.text) << c.page;
}

// The page scan reads pages without laying them out; it must see the text the visible viewer's
// find searches, on every page of the sample book.
TEST(PagePlainTextTest, AgreesWithTheViewerOnEverySamplePage) {
  std::string error;
  auto session = OpenBookSession(SHELF_SAMPLE_BOOK, error);
  ASSERT_TRUE(session) << error;
  TDynamicStringArray pages;
  const TDynamicStringArray entries = session->Store.ListPackedFiles();
  for (const std::string& entry : entries)
    if (Cp1251LowerString(entry).find(".htm") != std::string::npos)
      pages.push_back(session->Folders.BookRoot + entry);
  for (const std::string& file :
       FindFiles(session->FileSystem, session->Folders.ProgramDir, {"*.htm"}, false, false))
    pages.push_back(file);
  ASSERT_GT(pages.size(), 30u) << entries.size() << " " << session->Folders.BookRoot;
  for (const std::string& file : pages) {
    TDocumentView view(session->Store);
    view.resize(800, 600);
    view.show();
    ASSERT_TRUE(view.LoadFile(file)) << file;
    std::string bytes;
    ASSERT_TRUE(session->Store.ReadBookFile(file, bytes));
    EXPECT_EQ(Cp1251ToUtf8(PagePlainText(bytes)), Cp1251ToUtf8(view.PageText())) << file;
  }
}

}  // namespace
}  // namespace shelf::test
