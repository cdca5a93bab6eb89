// The rider editor: reads the shared maximum average, registers the .rdb file type and opens the
// database named on the command line, or a new one.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStringList>
#include <iostream>

#include "editor/box_text.h"
#include "editor/command_line.h"
#include "editor/editor_settings.h"
#include "editor/file_type_registration.h"
#include "editor/frm_tavrel.h"
#include "editor/user_prompts.h"
#include "engine/io/data_folders.h"

int main(int argc, char* argv[]) {
  // Help and version before Qt starts, so they work without a display; unknown options once Qt
  // has taken its own (-style, -platform, ...).
  const auto answer = [](const corvane::EditorCommandReply& reply) {
    (reply.error ? std::cerr : std::cout) << reply.text;
    return reply.error ? 2 : 0;
  };
  if (const auto reply =
          corvane::EditorCommandInfo({argv + 1, argv + argc}, CORVANE_VERSION, false)) {
    return answer(*reply);
  }
  QApplication app(argc, argv);
  if (const auto reply =
          corvane::EditorCommandInfo({argv + 1, argv + argc}, CORVANE_VERSION, true)) {
    return answer(*reply);
  }
  QApplication::setApplicationName(QStringLiteral("Tavrel"));
  QApplication::setWindowIcon(
      QIcon::fromTheme(QStringLiteral("tavrel"), QIcon(QStringLiteral(":/icons/tavrel.svg"))));

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
