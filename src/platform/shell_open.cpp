#include "platform/shell_open.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace shelf {
namespace {

constexpr int kQueryTimeout = 3000;  // ms for the desktop to name a program

}  // namespace

bool ShellOpen(const std::string& target, const std::string& parameters, std::string& error) {
  const QString name = QString::fromStdString(target);
  const QFileInfo file(name);
  if (file.exists() && file.isFile() && file.isExecutable()) {
    if (QProcess::startDetached(file.absoluteFilePath(),
                                QString::fromStdString(parameters).split(' ', Qt::SkipEmptyParts),
                                file.absolutePath()))
      return true;
    error = "cannot start " + target;
    return false;
  }
  const QUrl url = file.exists() ? QUrl::fromLocalFile(file.absoluteFilePath()) : QUrl(name);
  if (!url.isValid() || url.scheme().isEmpty()) {
    error = target + " does not exist";
    return false;
  }
  if (QDesktopServices::openUrl(url)) return true;
  error = "the desktop has no program to open " + target;
  return false;
}

bool TShellOpen::OpenUrl(const std::string& url) {
  const QUrl address(QString::fromStdString(url));
  return address.isValid() && QDesktopServices::openUrl(address);
}

bool TShellOpen::OpenFile(const std::filesystem::path& file) {
  const QFileInfo info(QString::fromStdString(file.string()));
  return info.isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

bool TShellOpen::HasHandler(const std::filesystem::path& file) {
  const QString query = QStandardPaths::findExecutable("xdg-mime");
  if (query.isEmpty()) return false;
  const QString type =
      QMimeDatabase().mimeTypeForFile(QString::fromStdString(file.string())).name();
  QProcess process;
  process.start(query, {"query", "default", type});
  if (!process.waitForFinished(kQueryTimeout)) {
    process.kill();
    return false;
  }
  return process.exitCode() == 0 && !process.readAllStandardOutput().trimmed().isEmpty();
}

bool TShellOpen::SetCurrentFolder(const std::filesystem::path& folder) {
  return QDir::setCurrent(QString::fromStdString(folder.string()));
}

std::optional<std::filesystem::path> TShellOpen::AskSaveFile(QWidget* parent,
                                                             const std::filesystem::path& folder,
                                                             const std::string& proposedName,
                                                             const std::string& filter) {
  const QString start =
      QDir(QString::fromStdString(folder.string())).filePath(QString::fromStdString(proposedName));
  const QString chosen = QFileDialog::getSaveFileName(parent, QString(), start,
                                                      QString::fromStdString(DialogFilter(filter)));
  if (chosen.isEmpty()) return std::nullopt;
  return std::filesystem::path(chosen.toStdString());
}

bool TShellOpen::StartOwnCopy(const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  return QProcess::startDetached(QCoreApplication::applicationFilePath(), list);
}

std::string DialogFilter(const std::string& windowsFilter) {
  const QStringList parts = QString::fromStdString(windowsFilter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = parts[i + 1].split(';', Qt::SkipEmptyParts).join(' ');
    filters << (parts[i].contains(patterns) ? parts[i] : parts[i] + " (" + patterns + ")");
  }
  return filters.join(";;").toStdString();
}

}  // namespace shelf
