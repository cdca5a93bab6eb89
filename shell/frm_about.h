// The about box: the program's title and version.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace corvane {

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* parent = nullptr);

  QLabel* lblTitle;
  QLabel* lblVersion;
  QLabel* lblDescription;
  QPushButton* cmdOK;
};

}  // namespace corvane
