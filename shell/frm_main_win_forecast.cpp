// The main window's Forecast panel and its View menu.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "shell/forecast_panel.h"
#include "shell/frm_main_win.h"

namespace corvane {

void frmMainWin::BuildForecast() {
  dckForecast_ = new ForecastPanel(dialogs_, this);
  dckForecast_->proposeFile = [this](const QString& name) {
    return setup_.folders.proposedFile(name);
  };
  addDockWidget(Qt::RightDockWidgetArea, dckForecast_);

  mnuView = new QMenu(QStringLiteral("&View"), this);
  mnuView->setObjectName(QStringLiteral("mnuView"));
  mnuVForecast = new QAction(QStringLiteral("&Forecast"), this);
  mnuVForecast->setObjectName(QStringLiteral("mnuVForecast"));
  mnuVForecast->setCheckable(true);
  mnuVForecast->setChecked(settings_.showForecast);
  mnuView->addAction(mnuVForecast);
  menuBar()->insertMenu(mnuMeeting->menuAction(), mnuView);
  dckForecast_->SetWanted(settings_.showForecast);
  connect(mnuVForecast, &QAction::toggled, this, [this](bool on) {
    settings_.showForecast = on;
    dckForecast_->SetWanted(on);
  });

  session_->onNewMeeting = [this] { dckForecast_->NewMeeting(); };
  session_->onStopped = [this] { dckForecast_->MeetingStopped(session_->meeting()); };
  host_->SetStatusListener([this] { dckForecast_->HeatRun(session_->meeting()); });
}

}  // namespace corvane
