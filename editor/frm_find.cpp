#include "editor/frm_find.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/box_text.h"
#include "editor/frm_tavrel.h"

namespace corvane {

FrmFind::FrmFind(FrmTavrel& owner) : QDialog(&owner), owner_(owner) {
  setObjectName(QStringLiteral("frmFind"));
  setWindowTitle(tr("Find"));
  setModal(false);

  txtFindWhat = new QLineEdit;
  txtFindWhat->setObjectName(QStringLiteral("txtFindWhat"));
  auto* findLabel = new QLabel(tr("Fi&nd what:"));
  findLabel->setBuddy(txtFindWhat);
  chkMatchCase = new QCheckBox(tr("Match &case"));
  chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
  chkMatchWord = new QCheckBox(tr("Match &whole words"));
  chkMatchWord->setObjectName(QStringLiteral("chkMatchWord"));
  cmdFindNext = new QPushButton(tr("Find Next"));
  cmdFindNext->setObjectName(QStringLiteral("cmdFindNext"));
  cmdFindNext->setDefault(true);
  cmdFindNext->setEnabled(false);
  cmdCancel = new QPushButton(tr("Cancel"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

  auto* layout = new QGridLayout(this);
  layout->addWidget(findLabel, 0, 0);
  layout->addWidget(txtFindWhat, 0, 1);
  layout->addWidget(cmdFindNext, 0, 2);
  auto* options = new QVBoxLayout;
  options->addWidget(chkMatchCase);
  options->addWidget(chkMatchWord);
  layout->addLayout(options, 1, 0, 2, 2);
  layout->addWidget(cmdCancel, 1, 2);
  layout->setColumnStretch(1, 1);
  setMinimumWidth(380);

  connect(txtFindWhat, &QLineEdit::textChanged, this,
          [this](const QString& text) { cmdFindNext->setEnabled(!text.isEmpty()); });
  connect(cmdFindNext, &QPushButton::clicked, this, &FrmFind::cmdFindNext_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::hide);
}

void FrmFind::ShowWith(const SearchSettings& last) {
  txtFindWhat->setText(WidgetText(last.text));
  chkMatchCase->setChecked(last.matchCase);
  chkMatchWord->setChecked(last.wholeWords);
  txtFindWhat->selectAll();
  show();
  raise();
  activateWindow();
  txtFindWhat->setFocus(Qt::OtherFocusReason);
}

void FrmFind::cmdFindNext_Click() {
  if (txtFindWhat->text().isEmpty()) return;
  SearchSettings& search = owner_.LastSearch();
  search.text = EngineText(txtFindWhat->text());
  search.matchCase = chkMatchCase->isChecked();
  search.wholeWords = chkMatchWord->isChecked();
  owner_.SearchRecords();
}

}  // namespace corvane
