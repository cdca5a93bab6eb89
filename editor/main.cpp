// The rider editor: reads the shared maximum average, registers the .rdb file type and opens the
// database named on the command line, or a new one.
#include <QApplication>
#include <QDir>
#include <QStringList>

#include "editor/box_text.h"
#include "editor/editor_settings.h"
#include "editor/file_type_registration.h"
#include "editor/frm_tavrel.h"
#include "editor/user_prompts.h"
#include "engine/data_folders.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tavrel"));
  QApplication::setApplicationDisplayName(QStringLiteral("Rider Editor"));

  corvane::RegisterRiderDatabaseType(QApplication::applicationFilePath());
  const int maxAverage = corvane::ReadDefaultMaxAverage(corvane::SharedSettingsFolder());
  const std::filesystem::path data =
      corvane::BundledDataFolder(QApplication::applicationDirPath().toStdString());
  // The user's own databases are kept in the user's data folder: the installed ones are
  // read-only.
  const QString userFolder = QString::fromStdString(corvane::UserDataFolder().string());
  if (!userFolder.isEmpty()) QDir().mkpath(userFolder);

  corvane::UserPrompts prompts;
  prompts.SetStartFolder(userFolder);
  corvane::FrmTavrel window(maxAverage, corvane::EditorDecimalSeparator(), prompts);
  window.SetHelpFolder(QString::fromStdString((data / "help").string()));
  // A path with blanks that the desktop or the shell split into several arguments is put
  // together again.
  window.Start(QApplication::arguments().mid(1).join(u' '));
  window.show();
  return app.exec();
}
