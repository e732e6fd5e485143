#include "widgets/busy_picture.h"

#include <QBuffer>
#include <QMovie>

#include "store/compr_stream.h"

namespace shelf {

TBusyPicture::TBusyPicture(QWidget* window, const TBookStore& store, const std::string& file,
                           QPoint at)
    : QLabel(window) {
  move(at);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  try {
    TComprStream stream(store, file);
    auto* bytes = new QBuffer(this);
    bytes->setData(QByteArray(stream.Bytes().data(), static_cast<qsizetype>(stream.Size())));
    movie_ = new QMovie(bytes, QByteArray(), this);
    setMovie(movie_);
    movie_->jumpToFrame(0);
    resize(movie_->currentImage().size());
  } catch (const EFOpenError&) {
    // a book without the animation simply has none
  }
}

void TBusyPicture::SetRunning(bool running) {
  if (!movie_) return;
  setVisible(running);
  running ? movie_->start() : movie_->stop();
}

}  // namespace shelf
