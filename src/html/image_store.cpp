#include "html/image_store.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/cp1251.h"
#include "store/compr_stream.h"

namespace shelf {

namespace {

// A picture is never decoded larger than this many pixels: a page that names a huge picture
// gets it scaled down instead of a stalled program.
constexpr double kMaxPixels = 16.0 * 1024 * 1024;
// A JPEG decodes straight to an eighth of its size at the least; larger ones are not decoded.
constexpr double kMaxScaledPixels = 64 * kMaxPixels;
constexpr int kMaxFrames = 500;
// Decoded bytes of one picture, all its frames together (an animation whose frames are each
// the size of the whole "screen" it states runs out quickly), and of every picture the store
// holds. Frames beyond a bound are left out; a picture that gets none shows the stand-in.
constexpr qint64 kMaxPictureBytes = 128 * 1024 * 1024;
constexpr qint64 kMaxStoreBytes = 384 * 1024 * 1024;
// Browsers of the time showed GIF frames without a delay at about ten per second.
constexpr int kDefaultDelay = 100;

double Pixels(QSize size) {
  return double(size.width()) * size.height();
}

// Whether a picture can be decoded within the budget, straight to a smaller size if need be.
bool Decodable(QSize stated, bool scalable) {
  return Pixels(stated) <= kMaxPixels || (scalable && Pixels(stated) <= kMaxScaledPixels);
}

}  // namespace

QSize ShownPictureSize(QSize stated, bool scalable) {
  if (Pixels(stated) <= kMaxPixels) return stated;
  const double factor = Decodable(stated, scalable)
                            ? std::sqrt(kMaxPixels / Pixels(stated))
                            : double(kStandInSide) / std::max(stated.width(), stated.height());
  return QSize(std::max(1, int(std::lround(stated.width() * factor))),
               std::max(1, int(std::lround(stated.height() * factor))));
}

void TImageStore::StartPage() {
  for (const std::string& file : usedByPage_) {
    earlier_.remove(file);
    earlier_.push_front(file);
  }
  usedByPage_.clear();
  while (static_cast<int>(earlier_.size()) > cacheCount_) DropOldest();
}

void TImageStore::DropOldest() {
  if (auto found = pictures_.find(earlier_.back()); found != pictures_.end()) {
    if (found->second) bytes_ -= found->second->Bytes();
    pictures_.erase(found);
  }
  earlier_.pop_back();
}

std::shared_ptr<const TPagePicture> TImageStore::Get(const std::string& file) {
  const std::string key = Cp1251LowerString(file);
  usedByPage_.insert(key);
  auto found = pictures_.find(key);
  if (found != pictures_.end()) return found->second;
  auto picture = Decode(file);
  if (picture) bytes_ += picture->Bytes();
  pictures_[key] = picture;
  return picture;
}

QSize TImageStore::StatedSize(const std::string& file) {
  const std::string key = Cp1251LowerString(file);
  if (auto found = pictures_.find(key); found != pictures_.end())
    return found->second ? found->second->Size : QSize();
  auto [it, added] = statedSizes_.try_emplace(key);
  if (!added) return it->second;
  std::string bytes;
  try {
    bytes = TComprStream(store_, file).Bytes();
  } catch (const EFOpenError&) {
    return {};
  }
  QByteArray data(bytes.data(), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  it->second = ShownPictureSize(reader.size(), reader.format() == "jpeg");
  return it->second;
}

std::shared_ptr<const TPagePicture> TImageStore::Decode(const std::string& file) {
  std::string bytes;
  try {
    bytes = TComprStream(store_, file).Bytes();
  } catch (const EFOpenError&) {
    return nullptr;
  }
  QByteArray data(bytes.data(), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) return nullptr;
  // Checked before anything is decoded: JPEG decodes straight to a smaller size; other formats
  // would need the whole picture in memory first, so the page shows a small grey stand-in.
  const bool scalable = reader.format() == "jpeg";
  auto picture = std::make_shared<TPagePicture>();
  picture->Size = ShownPictureSize(size, scalable);
  if (!Decodable(size, scalable)) return StandIn(picture);
  if (picture->Size != size) reader.setScaledSize(picture->Size);
  // Pictures of earlier pages make room first.
  while (bytes_ > kMaxStoreBytes / 2 && !earlier_.empty() && !usedByPage_.count(earlier_.back()))
    DropOldest();
  const qint64 budget = std::min(kMaxPictureBytes, kMaxStoreBytes - bytes_);
  qint64 used = 0;
  QImage frame;
  while (static_cast<int>(picture->Frames.size()) < kMaxFrames && reader.read(&frame)) {
    const int delay = reader.nextImageDelay();
    QImage decoded = frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    frame = QImage();
    used += decoded.sizeInBytes();
    if (used > budget) {
      std::fprintf(stderr, "shelf: picture %s: frames beyond %lld MiB left out\n",
                   Cp1251ToUtf8(file).c_str(), static_cast<long long>(budget >> 20));
      if (picture->Frames.empty()) return StandIn(picture);
      break;
    }
    picture->Frames.push_back(std::move(decoded));
    picture->Delays.push_back(delay > 0 ? delay : kDefaultDelay);
    picture->Cycle += picture->Delays.back();
    if (!reader.supportsAnimation()) break;
  }
  if (picture->Frames.empty()) return nullptr;
  lastSize_ = size;
  return picture;
}

std::shared_ptr<const TPagePicture> TImageStore::StandIn(std::shared_ptr<TPagePicture> picture) {
  // Drawing scales it to the picture's box; one grey pixel is all it takes.
  QImage standIn(1, 1, QImage::Format_ARGB32_Premultiplied);
  standIn.fill(QColor(0xC0, 0xC0, 0xC0));
  picture->Frames = {standIn};
  picture->Delays = {kDefaultDelay};
  picture->Cycle = 0;
  lastSize_ = picture->Size;
  return picture;
}

}  // namespace shelf
