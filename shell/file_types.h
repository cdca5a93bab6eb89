// The system's file types on a freedesktop desktop: a shared-mime-info package naming meeting
// files (.mtg), rider databases (.rdb) and season files (.season), and desktop entries that
// open them with corvane and tavrel. An installed package provides them system-wide; a build tree
// or an install under the user's own prefix writes them under the user's data folder at start-up,
// each one only when no system folder has it. The desktop's databases are then refreshed by their
// tools, which run on their own and are not waited for.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace corvane {

inline constexpr char kMeetingMimeType[] = "application/x-corvane-meeting";
inline constexpr char kRiderDatabaseMimeType[] = "application/x-corvane-riderdb";
// A season file is an SQLite database like any other, so only its name's ending tells it.
inline constexpr char kSeasonMimeType[] = "application/x-corvane-season";

// The mime package's XML.
QString MimePackageXml();

// A desktop entry for a program that opens files of the types `mimeTypes` (separated by ";");
// `icon` is a theme icon's name, `keywords` a list ending in ";".
QString DesktopEntry(const QString& name, const QString& genericName, const QString& comment,
                     const QString& program, const QString& icon, const QString& mimeTypes,
                     const QString& keywords);

// A program path quoted as one argument of a desktop entry's Exec key.
QString QuoteExecArgument(const QString& path);

// Text escaped as a desktop entry's string value (backslashes, line breaks, tabs).
QString DesktopEntryString(const QString& text);

struct FileTypeTargets {
  QString dataHome;        // the user's data folder ($XDG_DATA_HOME)
  QString corvaneProgram;  // full paths of the two programs
  QString tavrelProgram;
  QStringList systemDataFolders;  // $XDG_DATA_DIRS: where an installed system keeps its entries
};

// Starts a program without waiting for it; failures are of no interest.
using DetachedStarter = std::function<void(const QString& program, const QStringList& arguments)>;

// The standard targets: the data folder from the environment, the programs in `programFolder`.
FileTypeTargets StandardFileTypeTargets(const QString& programFolder);

// Writes the files that differ from what they should hold, takes away the ones this program
// wrote that a system folder now provides, and, when something changed, starts
// the tool that refreshes that database when it is installed. Failures are ignored: the file
// types are a convenience, and the program runs without them.
void RegisterFileTypes(const FileTypeTargets& targets, const DetachedStarter& start);

// QProcess::startDetached for programs found on the PATH.
void StartDetachedIfPresent(const QString& program, const QStringList& arguments);

}  // namespace corvane
