#include "shell/results_file.h"

#include <QFile>

#include "engine/io/file_io.h"

namespace corvane {

namespace {

Error Failure(const char* what, const QString& path, const QString& reason) {
  return Error{std::string(what) + " \"" + path.toStdString() + "\": " + reason.toStdString()};
}

}  // namespace

QByteArray ResultsFileBytes(const QString& text) {
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return (lines + QLatin1String("\r\n\r\n")).toUtf8();
}

Status AppendResultsFile(const QString& path, const QString& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
    return Failure("Cannot save", path, file.errorString());
  }
  const QByteArray bytes = ResultsFileBytes(text);
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    return Failure("Cannot save", path, file.errorString());
  }
  file.close();
  if (file.error() != QFileDevice::NoError) {
    return Failure("Cannot save", path, file.errorString());
  }
  return Done{};
}

Status WriteResultsFile(const QString& path, const QString& text) {
  // As every other save: through a link to the file behind it, and lasting once it returns.
  const QByteArray bytes = ResultsFileBytes(text);
  return WriteFileAtomically(
      path.toStdString(),
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace corvane
