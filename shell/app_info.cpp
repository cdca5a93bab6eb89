#include "shell/app_info.h"

namespace corvane {

QString AppVersion() {
  return QStringLiteral("%1.%2").arg(CORVANE_VERSION_MAJOR).arg(CORVANE_VERSION_MINOR);
}

QString VersionLine() {
  QString line = QStringLiteral("Version ") + AppVersion();
  if (CORVANE_VERSION_PATCH != 0) line += QStringLiteral(".%1").arg(CORVANE_VERSION_PATCH);
  return line;
}

}  // namespace corvane
