#include "archives.h"

#include <QStringEncoder>

#include "rar4_writer.h"

namespace shelf::samplegen {
namespace {

using rar4::TRar4Entry;
using rar4::Utf8ToOem;

QByteArray Bytes(const std::string& archive) {
  return QByteArray(archive.data(), static_cast<qsizetype>(archive.size()));
}

// A small page in Windows-1251 (the archive carries the book's own encoding).
std::string Page(const char* title, const char* text) {
  QStringEncoder cp1251("windows-1251");
  const QString html = QString::fromUtf8(
                           "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                           "charset=windows-1251\"><title>%1</title></head><body><h3>%1</h3><p>%2"
                           "</p></body></html>\r\n")
                           .arg(QString::fromUtf8(title), QString::fromUtf8(text));
  return QByteArray(cp1251.encode(html)).toStdString();
}

std::string Repeated(const char* line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += std::string(line) + "\r\n";
  return text;
}

}  // namespace

std::vector<TBookFile> SampleArchives() {
  const std::uint32_t spring = rar4::DosTime(2024, 4, 12, 9, 30, 0);
  const std::uint32_t autumn = rar4::DosTime(2024, 10, 3, 16, 45, 0);
  const std::vector<TRar4Entry> service = {
      {"forms", "", true, false, spring},
      {"forms\\service.htm",
       Page("Талон технического обслуживания",
            "Отметки о пройденном обслуживании: пробег, дата, подпись мастера."),
       false, false, spring},
      {"forms\\checklist.txt", Repeated("[ ] check", 150), false, false, spring},
      {"readme.txt", "Service forms of the sample book.\r\n", false, false, autumn},
  };
  // No folder entries: the folders come from the files' paths.
  const std::vector<TRar4Entry> wiring = {
      {Utf8ToOem("Схемы\\Электрооборудование\\зажигание.htm"),
       Page("Схема зажигания", "Катушка, распределитель, свечи и провода высокого напряжения."),
       false, false, autumn},
      {Utf8ToOem("Схемы\\Электрооборудование\\освещение.txt"), Repeated("Фары, фонари", 40), false,
       false, autumn},
      {Utf8ToOem("Схемы\\Кузов\\размеры.txt"), Repeated("4116 x 1620 x 1446", 300), false, false,
       spring},
      {Utf8ToOem("Перечень схем.txt"), "1. Ignition\r\n2. Lighting\r\n3. Body\r\n", false, false,
       spring},
  };
  return {{"run/files/service.rar", true, Bytes(rar4::WriteRar4(service))},
          {"run/files/wiring.rar", true, Bytes(rar4::WriteRar4(wiring))}};
}

}  // namespace shelf::samplegen
