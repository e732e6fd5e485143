// Shelf: opens the book given on the command line (a folder of it, a file in it, a disc or a disc
// image), or the sample book installed with the program, in the role the command line asks for.
#include <unistd.h>
#include <QMessageBox>
#include <QProcess>
#include <cstdio>
#include <iostream>
#include <optional>

#include "book/book_session.h"
#include "platform/cp1251.h"
#include "platform/qt_translations.h"
#include "platform/user_folders.h"
#include "shelf_version.h"
#include "shell/book_discovery.h"
#include "shell/command_line.h"
#include "shell/first_paint.h"
#include "shell/main_form.h"
#include "shell/recent_books.h"
#include "shell/shelf_application.h"
#include "shell/start_window.h"

namespace {

constexpr const char* kUsage =
    "usage: shelf [BOOK | --book BOOK] [PAGE [/t | /h]]\n"
    "       shelf --list | --version\n"
    "  BOOK    the book's top folder or run folder, a file inside the book (interface.dat,\n"
    "          Struct.txt, a page: the page is shown first), a disc's mount point, or a disc\n"
    "          image (.iso); default: the sample book installed with Shelf\n"
    "  PAGE    a page or picture of the book for the window the book starts for it: /t the\n"
    "          thesaurus window, /h the help window, none a window of its own\n"
    "  --list  the books on mounted discs and the books opened before, with their titles\n";

// Nobody reads the error output of a program the desktop started (from its menu entry or a
// file manager): GLib names the entry it launched, and neither end is a terminal then.
bool StartedFromDesktop() {
  return qEnvironmentVariableIsSet("GIO_LAUNCHED_DESKTOP_FILE") ||
         (!isatty(STDIN_FILENO) && !isatty(STDERR_FILENO));
}

// A screen a reader looks at (not the offscreen platform the tests use).
bool ReaderSeesTheScreen() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  return (!qEnvironmentVariableIsEmpty("DISPLAY") ||
          !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) &&
         (platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland"));
}

// Why the program cannot go on, on the error output, and in a message box as well when the
// desktop started it, so that opening a bad file never ends in silence. No other window shows.
int Fail(const std::string& message) {
  std::cerr << "shelf: " << message << "\n";
  if (StartedFromDesktop() && ReaderSeesTheScreen()) {
    int argc = 1;
    char name[] = "shelf";
    char* argv[] = {name, nullptr};
    const bool running = QCoreApplication::instance() != nullptr;
    std::optional<QApplication> app;
    if (!running) app.emplace(argc, argv);
    QMessageBox::critical(nullptr, "Shelf", QString::fromStdString(message));
  }
  return 1;
}

std::vector<shelf::RListedBook> KnownBooks() {
  return shelf::KnownBooks(shelf::TBookDiscovery(shelf::DiscImageCache()),
                           shelf::TRecentBooks(shelf::RecentBooksFile()));
}

int ListBooks() {
  for (const auto& book : KnownBooks())
    std::cout << (book.Title.empty() ? "(untitled)" : book.Title) << '\t' << book.Path.string()
              << '\n';
  return 0;
}

// No book was named and no sample book is installed: the reader picks one of the books found,
// which opens in a copy of its own.
int RunStartWindow(QApplication& app) {
  shelf::TStartWindow window(KnownBooks());
  QObject::connect(&window, &shelf::TStartWindow::BookChosen, &window, [&](const QString& path) {
    QProcess::startDetached(QString::fromStdString(shelf::ProgramFile().string()), {path});
    window.close();
  });
  window.show();
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (shelf::AnswerVersion(argc, argv, "shelf")) return 0;
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (arguments.size() == 1 && arguments[0] == "--list") return ListBooks();
  std::string error;
  const auto book = shelf::FindStartBook(arguments, SHELF_SAMPLE_BOOK, error);
  if (!book && !error.empty()) return Fail(error);
  const shelf::TCommandLine commandLine = shelf::ParseCommandLine(arguments);
  // A book that cannot be opened is reported before any window could show.
  std::unique_ptr<shelf::TBookSession> session;
  if (book) {
    session = shelf::OpenBookSession(book->Location, error);
    if (!session) return Fail(error);
    if (!session->Store.BookFileExists(session->Folders.ProgramDir + "Struct.txt"))
      return Fail(book->Source().string() +
                  " is not a book: it has no Struct.txt, neither in interface.dat nor on disk");
  }

  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    return Fail(
        "there is no display to show the book on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
        "       Run it from a desktop session, or under a virtual display: xvfb-run -a shelf");
  // Qt 6.4's other media backend misbehaves without an audio device.
  if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
  // Under X11's OpenGL integration, that backend's video sink fails on the films' decoded frames
  // (the clip stops at its first picture); the program paints with the raster engine only.
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
    qputenv("QT_XCB_GL_INTEGRATION", "none");
  shelf::TShelfApplication app(argc, argv);
  // The desktop's own dialogs speak the book's language, or the desktop's without a book.
  shelf::UseQtTranslations(book ? shelf::BookLocale() : QLocale::system());
  if (!book) return RunStartWindow(app);

  shelf::TMainForm form(*session);
  const auto argument = commandLine.Argument();
  switch (commandLine.Role()) {
    case shelf::TRunRole::Thesaurus:
      if (const auto exitCode = form.SetUpThesaurusWindow(argument.Argument)) return *exitCode;
      break;
    case shelf::TRunRole::HelpOrPlainWindow:
      form.SetUpPlainWindow(argument.Argument, argument.Help);
      break;
    case shelf::TRunRole::BookShell:
      if (const auto exitCode = form.BuildBookShell()) return *exitCode;
      shelf::TRecentBooks(shelf::RecentBooksFile())
          .Add({book->Source(), shelf::Cp1251ToUtf8(shelf::ReadBookTitle(*session))});
      break;
  }
  // The start-up benchmark times the program by this line.
  if (qEnvironmentVariableIsSet("SHELF_REPORT_FIRST_PAINT"))
    shelf::AfterFirstPaint(form, [] {
      std::fputs("painted\n", stdout);
      std::fflush(stdout);
    });
  return app.exec();
}
