// The editor's help pages, in a window of their own.
#pragma once

class QWidget;

namespace corvane {

void ShowHelpWindow(QWidget* parent);

}  // namespace corvane
