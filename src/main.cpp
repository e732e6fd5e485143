// Shelf: opens the book given on the command line (its folder), or the sample book built with
// the program, in the role the command line asks for.
#include <iostream>

#include "book/book_session.h"
#include "platform/cp1251.h"
#include "shell/command_line.h"
#include "shell/main_form.h"
#include "shell/shelf_application.h"

namespace {

constexpr const char* kUsage =
    "usage: shelf [BOOK-FOLDER | --book BOOK-FOLDER] [PAGE [/t | /h]]\n"
    "  BOOK-FOLDER  the book's run folder, or its top folder with a run subfolder\n"
    "               (default: the sample book built with Shelf)\n";

int Fail(const std::string& message) {
  std::cerr << "shelf: " << message << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  std::string error;
  const auto commandLine = shelf::ParseCommandLine(arguments, error);
  if (!commandLine) {
    std::cerr << "shelf: " << error << "\n" << kUsage;
    return 2;
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

  const auto session =
      shelf::OpenBookSession(commandLine->BookFolder.value_or(SHELF_SAMPLE_BOOK), error);
  if (!session) return Fail(error);

  shelf::TMainForm form(*session);
  // The desktop's command line as the program path and its parameters would make it.
  const auto argument = commandLine->Argument(
      shelf::Utf8ToCp1251Lossy(QCoreApplication::applicationFilePath().toStdString()));
  switch (commandLine->Role()) {
    case shelf::TRunRole::Thesaurus:
      if (const auto exitCode = form.SetUpThesaurusWindow(argument.Argument)) return *exitCode;
      break;
    case shelf::TRunRole::HelpOrPlainWindow:
      form.SetUpPlainWindow(argument.Argument, argument.Help);
      break;
    case shelf::TRunRole::BookShell:
      if (const auto exitCode = form.BuildBookShell()) return *exitCode;
      break;
  }
  return app.exec();
}
