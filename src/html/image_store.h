// The pictures of a viewer's pages, read through book streams and decoded once (BMP, GIF with
// its animation, JPEG, PNG). Keeps a few pictures of earlier pages for when they come back.
#pragma once

#include <QSize>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "html/page_picture.h"

namespace shelf {

class TBookStore;

// A picture whose stated size is over the decoding budget stands in at most this many pixels a
// side (a grey box): the page keeps its shape without a page-sized hole.
constexpr int kStandInSide = 256;

// The size a picture of `stated` pixels is shown at: as stated within the budget; beyond it,
// scaled down to the budget when it can be decoded straight to a smaller size (`scalable`,
// JPEG), else the stand-in's size with the picture's proportions.
QSize ShownPictureSize(QSize stated, bool scalable);

class TImageStore {
 public:
  explicit TImageStore(const TBookStore& store) : store_(store) {}

  // How many pictures of earlier pages stay decoded (`ImageCacheCount`).
  void SetCacheCount(int count) { cacheCount_ = count < 0 ? 0 : count; }
  // A new page starts: pictures the previous page used become candidates for dropping.
  void StartPage();

  // The picture at a full DOS file name; null when it cannot be read or decoded.
  std::shared_ptr<const TPagePicture> Get(const std::string& file);
  // The size a picture file is shown at, read from its header alone (for pages shown without
  // pictures); empty when it cannot be read.
  QSize StatedSize(const std::string& file);
  // The pixel size of the picture decoded last (empty before any).
  QSize LastDecodedSize() const { return lastSize_; }

 private:
  std::shared_ptr<const TPagePicture> Decode(const std::string& file);
  // A grey stand-in for a picture too large to decode.
  std::shared_ptr<const TPagePicture> StandIn(std::shared_ptr<TPagePicture> picture);
  void DropOldest();

  const TBookStore& store_;
  int cacheCount_ = 5;
  std::map<std::string, std::shared_ptr<const TPagePicture>> pictures_;
  std::set<std::string> usedByPage_;
  std::map<std::string, QSize> statedSizes_;
  std::list<std::string> earlier_;  // pictures of earlier pages, most recent first
  QSize lastSize_;
  qint64 bytes_ = 0;  // decoded bytes of the pictures held
};

}  // namespace shelf
