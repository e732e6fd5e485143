// The floor the start-up benchmark measures the program against: a bare Qt Widgets window (one
// QWidget holding a QLabel) of the size given, which says "painted" once it has painted.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <cstring>

namespace {

class BareWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent* event) override {
    QWidget::paintEvent(event);
    if (reported_) return;
    reported_ = true;
    QTimer::singleShot(0, [] {
      std::puts("painted");
      std::fflush(stdout);
    });
  }

 private:
  bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("bare_window 1.0");
    return 0;
  }
  QApplication app(argc, argv);
  BareWindow window;
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel("A bare window"));
  window.resize(argc > 2 ? std::atoi(argv[1]) : 800, argc > 2 ? std::atoi(argv[2]) : 600);
  window.show();
  return app.exec();
}
