// The editor's help pages, in a window of their own.
#pragma once

#include <QString>

class QWidget;

namespace corvane {

// Shows the editor's page of the manual from `helpFolder`, so its links reach the rest of the
// manual; without the folder's page, the copy built into the program.
void ShowHelpWindow(QWidget* parent, const QString& helpFolder);

}  // namespace corvane
