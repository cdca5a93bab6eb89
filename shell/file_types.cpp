#include "shell/file_types.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace corvane {

namespace {

// Writes the file when its content differs; true when it was written.
bool WriteWhenChanged(const QString& path, const QByteArray& content) {
  QFile existing(path);
  if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content) return false;
  existing.close();
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(content);
  return file.commit();
}

}  // namespace

QString MimePackageXml() {
  return QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"%1\">\n"
             "    <comment>Corvane Meeting Competition</comment>\n"
             "    <glob pattern=\"*.mtg\"/>\n"
             "  </mime-type>\n"
             "  <mime-type type=\"%2\">\n"
             "    <comment>Corvane Meeting Rider Database</comment>\n"
             "    <sub-class-of type=\"text/plain\"/>\n"
             "    <glob pattern=\"*.rdb\"/>\n"
             "  </mime-type>\n"
             "</mime-info>\n")
      .arg(QLatin1String(kMeetingMimeType), QLatin1String(kRiderDatabaseMimeType));
}

QString QuoteExecArgument(const QString& path) {
  // Inside the quotes of an Exec argument `"`, backquote, `$` and `\` take a backslash.
  QString quoted;
  for (const QChar c : path) {
    if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
        c == QLatin1Char('\\')) {
      quoted += QLatin1Char('\\');
    }
    quoted += c;
  }
  quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString DesktopEntryString(const QString& text) {
  QString escaped;
  for (const QChar c : text) {
    if (c == QLatin1Char('\\')) {
      escaped += QLatin1String("\\\\");
    } else if (c == QLatin1Char('\n')) {
      escaped += QLatin1String("\\n");
    } else if (c == QLatin1Char('\r')) {
      escaped += QLatin1String("\\r");
    } else if (c == QLatin1Char('\t')) {
      escaped += QLatin1String("\\t");
    } else {
      escaped += c;
    }
  }
  return escaped;
}

QString DesktopEntry(const QString& name, const QString& comment, const QString& program,
                     const QString& icon, const QString& mimeType) {
  return QStringLiteral(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=%1\n"
             "Comment=%2\n"
             "TryExec=%3\n"
             "Exec=%4 %f\n"
             "Icon=%5\n"
             "MimeType=%6;\n"
             "Terminal=false\n"
             "Categories=Game;SportsGame;\n")
      .arg(DesktopEntryString(name), DesktopEntryString(comment), DesktopEntryString(program),
           DesktopEntryString(QuoteExecArgument(program)), DesktopEntryString(icon), mimeType);
}

FileTypeTargets StandardFileTypeTargets(const QString& programFolder) {
  return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
          programFolder + QStringLiteral("/corvane"), programFolder + QStringLiteral("/tavrel")};
}

void RegisterFileTypes(const FileTypeTargets& targets, const DetachedStarter& start) {
  if (targets.dataHome.isEmpty()) return;
  const QString mimeFolder = targets.dataHome + QStringLiteral("/mime");
  const QString applications = targets.dataHome + QStringLiteral("/applications");

  if (WriteWhenChanged(mimeFolder + QStringLiteral("/packages/corvane.xml"),
                       MimePackageXml().toUtf8())) {
    start(QStringLiteral("update-mime-database"), {mimeFolder});
  }
  const bool corvaneChanged = WriteWhenChanged(
      applications + QStringLiteral("/corvane.desktop"),
      DesktopEntry(QStringLiteral("Corvane Meeting"),
                   QStringLiteral("Simulate race meetings of motorcycle track racing"),
                   targets.corvaneProgram, QStringLiteral("corvane"),
                   QLatin1String(kMeetingMimeType))
          .toUtf8());
  const bool tavrelChanged = WriteWhenChanged(
      applications + QStringLiteral("/tavrel.desktop"),
      DesktopEntry(QStringLiteral("Tavrel"), QStringLiteral("Edit Corvane rider databases"),
                   targets.tavrelProgram, QStringLiteral("tavrel"),
                   QLatin1String(kRiderDatabaseMimeType))
          .toUtf8());
  if (corvaneChanged || tavrelChanged) {
    start(QStringLiteral("update-desktop-database"), {applications});
  }
}

void StartDetachedIfPresent(const QString& program, const QStringList& arguments) {
  const QString found = QStandardPaths::findExecutable(program);
  if (!found.isEmpty()) QProcess::startDetached(found, arguments);
}

}  // namespace corvane
