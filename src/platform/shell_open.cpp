#include "platform/shell_open.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace shelf {

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

}  // namespace shelf
