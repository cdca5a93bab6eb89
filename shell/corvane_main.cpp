#include "shell/corvane_main.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <QTime>

#include "shell/app_info.h"
#include "shell/command_line.h"
#include "shell/file_types.h"
#include "shell/frm_about.h"
#include "shell/frm_main_win.h"
#include "shell/settings_store.h"
#include "shell/twips.h"
#include "shell/user_dialogs.h"

namespace corvane {

namespace {

ScreenTwips PrimaryScreenTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {9600, 7200};
  const QSize size = screen->size();
  const double dpi = screen->logicalDotsPerInch();
  return {PixelsToTwips(size.width(), dpi), PixelsToTwips(size.height(), dpi)};
}

std::vector<std::string> Arguments(const QApplication& app) {
  std::vector<std::string> arguments;
  const QStringList all = app.arguments();
  for (qsizetype i = 1; i < all.size(); ++i) arguments.push_back(all[i].toStdString());
  return arguments;
}

}  // namespace

int Main(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("Corvane Meeting"));
  // The installed theme's icon where there is one, so the desktop and the window agree.
  QApplication::setWindowIcon(
      QIcon::fromTheme(QStringLiteral("corvane"), QIcon(QStringLiteral(":/icons/corvane.svg"))));
  const auto seed = static_cast<std::uint64_t>(QTime::currentTime().msecsSinceStartOfDay());
  const QString appVersion = AppVersion();
  const QString programFolder = QCoreApplication::applicationDirPath();
  const AppFolders folders = AppFolders::ForProgram(programFolder);
  // The user's own files go there, so file dialogs can start in it.
  if (!folders.user.isEmpty()) QDir().mkpath(folders.user);

  const QString settingsFile = UserSettingsFile();
  ShellSettings settings =
      LoadSettings({settingsFile, folders.defaultsFile()}, appVersion, PrimaryScreenTwips());
  RegisterFileTypes(StandardFileTypeTargets(programFolder), StartDetachedIfPresent);

  QtUserDialogs dialogs;
  frmMainWin window({folders, settingsFile, appVersion, seed}, std::move(settings), dialogs);
  window.SetCommandFile(QString::fromStdString(CommandFileFrom(Arguments(app))));
  window.show();
  if (!window.resumePending()) window.ShowAbout();
  return app.exec();
}

}  // namespace corvane
