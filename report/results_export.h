// The results exported for other programs: an HTML page (for a web page or a forum post) and
// CSV (for a spreadsheet). Both are UTF-8 and hold what the text report holds, as tables.
#pragma once

#include <string>
#include <string_view>

#include "engine/records/meeting.h"

namespace corvane {

enum class ExportFormat { Text, Html, Csv };

// The format a file name asks for by its extension (.html, .htm, .csv, any case); text
// otherwise.
ExportFormat ExportFormatForFile(std::string_view fileName);

// A whole HTML document: the meeting header, one scorecard table per team or group and the
// heat table.
std::string ResultsHtml(const Meeting& m);

// A row per rider (team, number, name, rides, points, bonus, note) under its heading row, an
// empty line, then a row per heat (number, riders in finishing order, scores, note). CRLF ends.
std::string ResultsCsv(const Meeting& m);

// Text with the characters HTML gives a meaning (& < > ") written as entities.
std::string HtmlEscaped(std::string_view text);

// A CSV field, quoted when it holds a separator, a quote or a line end.
std::string CsvField(std::string_view text);

// Names come from rider databases, competition and season files: one a spreadsheet would take
// for a formula (a leading = + - @, tab or CR) is written as text, behind a quote mark.
std::string FormulaSafe(std::string_view text);
// A name as a CSV field, protected as above.
std::string CsvName(std::string_view text);

// A text quoted for JSON.
std::string JsonString(std::string_view text);

}  // namespace corvane
