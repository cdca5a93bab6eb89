// The rider editor: reads the shared maximum average, registers the .rdb file type and opens the
// database named on the command line, or a new one.
#include <QApplication>
#include <QStringList>

#include "editor/box_text.h"
#include "editor/editor_settings.h"
#include "editor/file_type_registration.h"
#include "editor/frm_tavrel.h"
#include "editor/user_prompts.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tavrel"));
  QApplication::setApplicationDisplayName(QStringLiteral("Rider Editor"));

  corvane::RegisterRiderDatabaseType(QApplication::applicationFilePath());
  const int maxAverage = corvane::ReadDefaultMaxAverage(corvane::SharedSettingsFolder());

  corvane::UserPrompts prompts;
  corvane::FrmTavrel window(maxAverage, corvane::EditorDecimalSeparator(), prompts);
  // A path with blanks that the desktop or the shell split into several arguments is put
  // together again.
  window.Start(QApplication::arguments().mid(1).join(u' '));
  window.show();
  return app.exec();
}
