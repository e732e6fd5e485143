#include "attachments.h"

#include <zlib.h>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "click_sounds.h"

namespace shelf::samplegen {
namespace {

void PutLe(QByteArray& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

// A ZIP archive of stored (uncompressed) files, as any unzip reads it.
QByteArray StoredZip(const std::vector<std::pair<QByteArray, QByteArray>>& files) {
  QByteArray out, directory;
  for (const auto& file : files) {
    // Named references, not structured bindings: clang 14 does not let a lambda capture those.
    const QByteArray& name = file.first;
    const QByteArray& bytes = file.second;
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), bytes.size()));
    const auto offset = static_cast<std::uint32_t>(out.size());
    const auto header = [&](QByteArray& to, bool central) {
      PutLe(to, central ? 0x02014b50 : 0x04034b50, 4);
      if (central) PutLe(to, 20, 2);  // made by
      PutLe(to, 20, 2);               // needed to extract
      PutLe(to, 0, 2);                // flags
      PutLe(to, 0, 2);                // stored
      PutLe(to, 0x5a00, 2);           // 11:16
      PutLe(to, 0x5b8a, 2);           // 2025-12-10
      PutLe(to, crc, 4);
      PutLe(to, bytes.size(), 4);
      PutLe(to, bytes.size(), 4);
      PutLe(to, name.size(), 2);
      PutLe(to, 0, 2);  // extra
      if (central) {
        PutLe(to, 0, 2);  // comment
        PutLe(to, 0, 2);  // disk
        PutLe(to, 0, 2);  // internal attributes
        PutLe(to, 0, 4);  // external attributes
        PutLe(to, offset, 4);
      }
      to.append(name);
    };
    header(out, false);
    out.append(bytes);
    header(directory, true);
  }
  const auto start = static_cast<std::uint32_t>(out.size());
  out.append(directory);
  PutLe(out, 0x06054b50, 4);
  PutLe(out, 0, 4);
  PutLe(out, files.size(), 2);
  PutLe(out, files.size(), 2);
  PutLe(out, directory.size(), 4);
  PutLe(out, start, 4);
  PutLe(out, 0, 2);
  return out;
}

// The torque chart as a one-page PDF.
QByteArray TorqueChart() {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  pdf.setTitle(QString::fromUtf8("Моменты затяжки резьбовых соединений"));
  pdf.setResolution(72);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  QPainter p(&pdf);
  p.setFont(QFont("Liberation Sans", 16, QFont::Bold));
  p.drawText(QPointF(40, 60), QString::fromUtf8("«Вектор-2107»: моменты затяжки, Н·м"));
  const std::pair<const char*, const char*> rows[] = {
      {"Болты головки блока (окончательно)", "95–118"},
      {"Гайки крепления выпускного коллектора", "21–26"},
      {"Болт шкива коленчатого вала", "99–110"},
      {"Свечи зажигания", "31–39"},
      {"Болты крепления колёс", "62–88"},
      {"Гайка ступицы переднего колеса", "226–250"},
  };
  p.setFont(QFont("Liberation Sans", 11));
  double y = 100;
  for (const auto& [what, value] : rows) {
    p.drawLine(QPointF(40, y + 6), QPointF(540, y + 6));
    p.drawText(QPointF(44, y), QString::fromUtf8(what));
    p.drawText(QPointF(440, y), QString::fromUtf8(value));
    y += 24;
  }
  p.end();
  return buffer.data();
}

}  // namespace

std::vector<TBookFile> Attachments(QString& error) {
  const QByteArray chart = TorqueChart();
  if (chart.isEmpty()) {
    error = "the PDF chart could not be written";
    return {};
  }
  const QByteArray form1 = QString::fromUtf8(
                               "Бланк проверки тормозов\r\nДата: ____  Пробег: ____\r\n"
                               "Толщина колодок, мм: ____\r\nХод педали, мм: ____\r\n")
                               .toUtf8();
  const QByteArray form2 = QString::fromUtf8(
                               "Бланк проверки двигателя\r\nДата: ____  Пробег: ____\r\n"
                               "Компрессия по цилиндрам, бар: __ __ __ __\r\n")
                               .toUtf8();
  // A Windows program's first bytes: enough for the desktop to know it, nothing that runs.
  QByteArray setup("MZ");
  setup.append(QByteArray(62, '\0'));
  return {
      {"run/files/forms.zip", false, StoredZip({{"brakes.txt", form1}, {"engine.txt", form2}})},
      {"run/files/torque_chart.pdf", true, chart},
      EngineIdleSound("run/files/idle.wav"),
      {"setup/setup.exe", true, setup},
  };
}

}  // namespace shelf::samplegen
