// The results text as a .txt file: UTF-8 with CRLF line ends, the whole report followed by a
// line end and one empty line. Save appends it to the file, Save As replaces the file.
#pragma once

#include <QByteArray>
#include <QString>

#include "engine/io/result.h"

namespace corvane {

// The bytes written for the report text as the results box holds it.
QByteArray ResultsFileBytes(const QString& text);

// Adds the report to the end of the file, creating it when needed.
Status AppendResultsFile(const QString& path, const QString& text);

// Replaces the file with the report; a failed write leaves the previous file as it was.
Status WriteResultsFile(const QString& path, const QString& text);

}  // namespace corvane
