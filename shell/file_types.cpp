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

// The season type came after the other two; versions before it wrote the package without it.
QString SeasonMimeTypeXml() {
  return QStringLiteral(
             "  <mime-type type=\"%1\">\n"
             "    <comment>Corvane Season</comment>\n"
             "    <glob pattern=\"*.season\"/>\n"
             "  </mime-type>\n")
      .arg(QLatin1String(kSeasonMimeType));
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
             "%3"
             "</mime-info>\n")
      .arg(QLatin1String(kMeetingMimeType), QLatin1String(kRiderDatabaseMimeType),
           SeasonMimeTypeXml());
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

QString DesktopEntry(const QString& name, const QString& genericName, const QString& comment,
                     const QString& program, const QString& icon, const QString& mimeTypes,
                     const QString& keywords) {
  return QStringLiteral(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=%1\n"
             "GenericName=%2\n"
             "Comment=%3\n"
             "TryExec=%4\n"
             "Exec=%5 %f\n"
             "Icon=%6\n"
             "MimeType=%7;\n"
             "Terminal=false\n"
             "Categories=Game;SportsGame;\n"
             "Keywords=%8\n")
      .arg(DesktopEntryString(name), DesktopEntryString(genericName), DesktopEntryString(comment),
           DesktopEntryString(program), DesktopEntryString(QuoteExecArgument(program)),
           DesktopEntryString(icon), mimeTypes, DesktopEntryString(keywords));
}

FileTypeTargets StandardFileTypeTargets(const QString& programFolder) {
  const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  QStringList systemFolders =
      QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
  systemFolders.removeAll(dataHome);
  return {dataHome, programFolder + QStringLiteral("/corvane"),
          programFolder + QStringLiteral("/tavrel"), systemFolders};
}

namespace {

struct RegisteredFile {
  QString relativePath;               // below a data folder
  QByteArray content;                 // what this program writes there
  QList<QByteArray> earlierContents;  // what versions before this one wrote
  QString refreshTool;                // the database that reads the file
  QString refreshFolder;
};

// The entries versions before this one wrote lacked the generic name and the keywords.
QByteArray WithoutExtraKeys(const QString& entry) {
  QStringList lines = entry.split(QLatin1Char('\n'));
  lines.removeIf([](const QString& line) {
    return line.startsWith(QLatin1String("GenericName=")) ||
           line.startsWith(QLatin1String("Keywords="));
  });
  return lines.join(QLatin1Char('\n')).toUtf8();
}

QList<RegisteredFile> FilesToRegister(const FileTypeTargets& targets) {
  const auto corvaneEntry = [&targets](const QString& mimeTypes) {
    return DesktopEntry(QStringLiteral("Corvane Meeting"), QStringLiteral("Race Meeting Simulator"),
                        QStringLiteral("Simulate race meetings of motorcycle track racing"),
                        targets.corvaneProgram, QStringLiteral("corvane"), mimeTypes,
                        QStringLiteral("speedway;racing;league;meeting;simulator;"));
  };
  const QString meetingOnly = corvaneEntry(QLatin1String(kMeetingMimeType));
  const QString corvane = corvaneEntry(QLatin1String(kMeetingMimeType) + QLatin1Char(';') +
                                       QLatin1String(kSeasonMimeType));
  QString withoutSeason = MimePackageXml();
  withoutSeason.remove(SeasonMimeTypeXml());
  const QString tavrel =
      DesktopEntry(QStringLiteral("Tavrel"), QStringLiteral("Rider Database Editor"),
                   QStringLiteral("Edit Corvane rider databases"), targets.tavrelProgram,
                   QStringLiteral("tavrel"), QLatin1String(kRiderDatabaseMimeType),
                   QStringLiteral("riders;line-ups;database;editor;"));
  const QString mime = QStringLiteral("mime");
  const QString applications = QStringLiteral("applications");
  const QString mimeTool = QStringLiteral("update-mime-database");
  const QString desktopTool = QStringLiteral("update-desktop-database");
  return {{QStringLiteral("mime/packages/corvane.xml"),
           MimePackageXml().toUtf8(),
           {withoutSeason.toUtf8()},
           mimeTool,
           mime},
          {QStringLiteral("applications/corvane.desktop"),
           corvane.toUtf8(),
           {meetingOnly.toUtf8(), WithoutExtraKeys(meetingOnly)},
           desktopTool,
           applications},
          {QStringLiteral("applications/tavrel.desktop"),
           tavrel.toUtf8(),
           {WithoutExtraKeys(tavrel)},
           desktopTool,
           applications}};
}

bool ProvidedBySystem(const FileTypeTargets& targets, const QString& relativePath) {
  for (const QString& folder : targets.systemDataFolders) {
    if (QFileInfo::exists(folder + QLatin1Char('/') + relativePath)) return true;
  }
  return false;
}

}  // namespace

void RegisterFileTypes(const FileTypeTargets& targets, const DetachedStarter& start) {
  if (targets.dataHome.isEmpty()) return;
  QStringList toRefresh;  // tool, folder, tool, folder, ...
  const auto refresh = [&](const RegisteredFile& file) {
    const QString folder = targets.dataHome + QLatin1Char('/') + file.refreshFolder;
    if (!toRefresh.contains(folder)) toRefresh << file.refreshTool << folder;
  };
  for (const RegisteredFile& file : FilesToRegister(targets)) {
    const QString path = targets.dataHome + QLatin1Char('/') + file.relativePath;
    if (ProvidedBySystem(targets, file.relativePath)) {
      // An installed system registers its types itself; a copy in the user's folder would hide
      // its entries and outlive the package. Only a file this program wrote is taken away.
      QFile existing(path);
      if (existing.open(QIODevice::ReadOnly)) {
        const QByteArray content = existing.readAll();
        existing.close();
        const bool ours = content == file.content || file.earlierContents.contains(content);
        if (ours && existing.remove()) {
          refresh(file);
        }
      }
    } else if (WriteWhenChanged(path, file.content)) {
      refresh(file);
    }
  }
  for (qsizetype i = 0; i + 1 < toRefresh.size(); i += 2) start(toRefresh[i], {toRefresh[i + 1]});
}

void StartDetachedIfPresent(const QString& program, const QStringList& arguments) {
  const QString found = QStandardPaths::findExecutable(program);
  if (!found.isEmpty()) QProcess::startDetached(found, arguments);
}

}  // namespace corvane
