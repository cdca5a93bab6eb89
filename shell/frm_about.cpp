#include "shell/frm_about.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/app_info.h"

namespace corvane {

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent),
      lblTitle(new QLabel(QStringLiteral("Corvane Meeting"), this)),
      lblVersion(new QLabel(VersionLine(), this)),
      lblDescription(new QLabel(
          QStringLiteral("Race meetings of motorcycle track racing, simulated heat by heat: "
                         "team leagues, tournaments and individual meetings."),
          this)),
      cmdOK(new QPushButton(QStringLiteral("OK"), this)) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About Corvane Meeting"));
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  lblDescription->setObjectName(QStringLiteral("lblDescription"));
  cmdOK->setObjectName(QStringLiteral("cmdOK"));

  QFont titleFont = lblTitle->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
  titleFont.setBold(true);
  lblTitle->setFont(titleFont);
  lblDescription->setWordWrap(true);
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTitle);
  layout->addWidget(lblVersion);
  layout->addSpacing(8);
  layout->addWidget(lblDescription);
  layout->addWidget(buttons);
  setFixedWidth(360);
}

}  // namespace corvane
