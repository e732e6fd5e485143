// A book folder for the page engine's tests: files written in UTF-8 source text are stored in
// Windows-1251 under drive d:, read through a book store, and shown in views of a fixed size.
#pragma once

#include <QBuffer>
#include <QImage>
#include <map>
#include <memory>
#include <string>

#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "store/book_store.h"
#include "store/packed_container_writer.h"
#include "test_support.h"

namespace shelf::test {

class HtmlTest : public IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    fileSystem_.MapDrive('d', Dir());
    store_ = std::make_unique<TBookStore>(fileSystem_);
  }
  // Pages are given in UTF-8 and stored as Windows-1251, as books ship them.
  void AddPages(const std::map<std::string, std::string>& utf8Pages) {
    std::map<std::string, std::string> files;
    for (const auto& [name, text] : utf8Pages) files[name] = Utf8ToCp1251Lossy(text);
    WriteTree(Dir(), files);
  }
  void AddFiles(const std::map<std::string, std::string>& bytes) { WriteTree(Dir(), bytes); }
  // Packs `root` into d:\interface.dat, which the store then reads before the loose files.
  void PackBook(const RPackedNode& root) {
    std::string container, error;
    ASSERT_TRUE(WritePackedContainer(root, {}, container, error)) << error;
    WriteTree(Dir(), {{"interface.dat", container}});
    ASSERT_TRUE(store_->OpenPackedContainer("d:\\interface.dat", error)) << error;
    store_->SetPackedPrefix("d:\\");
  }
  const TBookStore& Store() const { return *store_; }
  const TDosFileSystem& FileSystem() const { return fileSystem_; }
  static std::string Dos(const std::string& name) { return "d:\\" + name; }
  static std::string W(const std::string& utf8) { return Utf8ToCp1251Lossy(utf8); }

 private:
  TDosFileSystem fileSystem_;
  std::unique_ptr<TBookStore> store_;
};

// A solid PNG picture of one colour.
inline std::string SolidPng(int width, int height, QColor color) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

}  // namespace shelf::test
