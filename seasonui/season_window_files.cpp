// The Season window's file commands: the table and the riders exported, and the season averages
// written to a new rider database, never over the season's own file or without a yes.
#include <QDir>
#include <QFileInfo>

#include "engine/io/file_io.h"
#include "heatcontrol/widget_text.h"
#include "season/league_table.h"
#include "season/rider_figures.h"
#include "season/season_file.h"
#include "seasonui/season_window.h"
#include "shell/user_dialogs.h"

namespace corvane {

namespace {

const QString kTableFilter = QStringLiteral("CSV files (*.csv);;Web pages (*.html *.htm)");

// CSV unless the name ends as a web page does; a name of neither kind is given ".csv".
TableFormat ExportFormat(QString& name) {
  const QString suffix = QFileInfo(name).suffix().toLower();
  if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) return TableFormat::Html;
  if (suffix != QLatin1String("csv")) name += QStringLiteral(".csv");
  return TableFormat::Csv;
}

}  // namespace

QString SeasonWindow::ProposedFile(const QString& ending) const {
  if (!file_) return ending;
  const QFileInfo season(QString::fromStdString(file_->path().string()));
  return season.dir().filePath(season.completeBaseName() + ending);
}

void SeasonWindow::ExportTable() {
  if (!file_) return;
  ExportText(
      QStringLiteral("Export Table"), ProposedFile(QStringLiteral("-table.csv")),
      [this](TableFormat format) { return TableText(LeagueTable(file_->season()), format); });
}

void SeasonWindow::ExportRiders() {
  if (!file_) return;
  ExportText(QStringLiteral("Export Riders"), ProposedFile(QStringLiteral("-riders.csv")),
             [this](TableFormat format) {
               const Season& season = file_->season();
               return RiderFiguresText(season, SeasonRiderFigures(season), format);
             });
}

bool SeasonWindow::RefusedAsSeasonFile(const QString& title, const QString& name) {
  if (!file_) return false;
  const QString season =
      QFileInfo(QString::fromStdString(file_->path().string())).absoluteFilePath();
  const QFileInfo chosen(name);
  // The season file, its journal or the same file through another name.
  const bool same =
      chosen.absoluteFilePath() == season ||
      chosen.absoluteFilePath() == season + QStringLiteral("-wal") ||
      chosen.absoluteFilePath() == season + QStringLiteral("-shm") ||
      (chosen.exists() && chosen.canonicalFilePath() == QFileInfo(season).canonicalFilePath());
  if (same) {
    dialogs_.Warning(this, title,
                     QStringLiteral("%1 is the season's own file.\nChoose another name.")
                         .arg(chosen.fileName()));
  }
  return same;
}

void SeasonWindow::ExportText(const QString& title, const QString& proposed,
                              const std::function<std::string(TableFormat)>& text) {
  QString name = dialogs_.SaveFileName(this, title, proposed, kTableFilter, true);
  if (name.isEmpty()) return;
  const TableFormat format = ExportFormat(name);
  if (RefusedAsSeasonFile(title, name)) return;
  const Status written = WriteFileAtomically(name.toStdString(), text(format));
  if (!written) dialogs_.Warning(this, title, WidgetText(written.error()));
}

void SeasonWindow::SaveAverages() {
  if (!file_) return;
  const QString title = QStringLiteral("Averages to New Rider Database");
  // The question about an existing file is asked here, whatever the dialog does, so that no
  // rider database is ever written over without a yes.
  const QString name =
      dialogs_.SaveFileName(this, title, ProposedFile(QStringLiteral("-averages.rdb")),
                            QStringLiteral("Rider databases (*.rdb);;All files (*)"), false);
  if (name.isEmpty() || RefusedAsSeasonFile(title, name)) return;
  if (QFileInfo::exists(name)) {
    const int answer = dialogs_.Ask(
        this, title,
        QStringLiteral("%1 already exists.\nDo you want to replace it with the season's averages?")
            .arg(QFileInfo(name).fileName()),
        {QStringLiteral("&Replace"), QStringLiteral("Cancel")});
    if (answer != 0) return;
  }
  const Result<std::string> database = DatabaseWithSeasonAverages(file_->season());
  if (!database) {
    dialogs_.Warning(this, title, WidgetText(database.error()));
    return;
  }
  const Status written = WriteFileAtomically(name.toStdString(), database.value());
  if (!written) dialogs_.Warning(this, title, WidgetText(written.error()));
}

}  // namespace corvane
