#include "helpviewer/help_pane.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace corvane {

namespace {

// The manual is written for a light page: its headings and table headings have colours of
// their own. In a dark theme the page keeps light colours, text and background together.
void GiveLightPage(QTextBrowser& browser) {
  QPalette palette = browser.palette();
  palette.setColor(QPalette::Base, QColor(0xff, 0xff, 0xff));
  palette.setColor(QPalette::Text, QColor(0x1a, 0x1a, 0x1a));
  palette.setColor(QPalette::Link, QColor(0x1a, 0x4f, 0xa0));
  palette.setColor(QPalette::LinkVisited, QColor(0x6a, 0x3d, 0x9a));
  browser.setPalette(palette);
}

QAction* NewAction(QObject* owner, const char* name, const QString& text,
                   QStyle::StandardPixmap icon, const QKeySequence& key) {
  auto* action = new QAction(text, owner);
  action->setObjectName(QLatin1String(name));
  if (auto* widget = qobject_cast<QWidget*>(owner))
    action->setIcon(widget->style()->standardIcon(icon));
  action->setShortcut(key);
  action->setToolTip(QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
  return action;
}

}  // namespace

HelpPane::HelpPane(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("fraHelp"));
  actBack =
      NewAction(this, "actBack", QStringLiteral("Back"), QStyle::SP_ArrowBack, QKeySequence::Back);
  actForward = NewAction(this, "actForward", QStringLiteral("Forward"), QStyle::SP_ArrowForward,
                         QKeySequence::Forward);
  actContents = NewAction(this, "actContents", QStringLiteral("Contents"), QStyle::SP_DirHomeIcon,
                          QKeySequence(Qt::ALT | Qt::Key_Home));
  actIndex = NewAction(this, "actIndex", QStringLiteral("Index"), QStyle::SP_FileDialogContentsView,
                       QKeySequence(Qt::ALT | Qt::Key_I));
  actFind = NewAction(this, "actFind", QStringLiteral("Find"), QStyle::SP_FileDialogDetailedView,
                      QKeySequence::Find);
  actBack->setEnabled(false);
  actForward->setEnabled(false);

  tbHelp = new QToolBar(this);
  tbHelp->setObjectName(QStringLiteral("tbHelp"));
  tbHelp->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  tbHelp->addActions({actBack, actForward});
  tbHelp->addSeparator();
  tbHelp->addActions({actContents, actIndex});
  tbHelp->addSeparator();
  tbHelp->addAction(actFind);

  txtHelp = new QTextBrowser(this);
  txtHelp->setObjectName(QStringLiteral("txtHelp"));
  txtHelp->setOpenExternalLinks(true);
  GiveLightPage(*txtHelp);

  fraFind = new QWidget(this);
  fraFind->setObjectName(QStringLiteral("fraFind"));
  auto* lblFind = new QLabel(QStringLiteral("&Find:"), fraFind);
  txtFind = new QLineEdit(fraFind);
  txtFind->setObjectName(QStringLiteral("txtFind"));
  txtFind->setClearButtonEnabled(true);
  lblFind->setBuddy(txtFind);
  auto* cmdPrevious = new QPushButton(QStringLiteral("&Previous"), fraFind);
  cmdPrevious->setObjectName(QStringLiteral("cmdPrevious"));
  auto* cmdNext = new QPushButton(QStringLiteral("&Next"), fraFind);
  cmdNext->setObjectName(QStringLiteral("cmdNext"));
  auto* cmdClose = new QPushButton(QStringLiteral("&Close"), fraFind);
  cmdClose->setObjectName(QStringLiteral("cmdCloseFind"));
  lblFound = new QLabel(fraFind);
  lblFound->setObjectName(QStringLiteral("lblFound"));
  auto* findRow = new QHBoxLayout(fraFind);
  findRow->setContentsMargins(6, 3, 6, 3);
  findRow->addWidget(lblFind);
  findRow->addWidget(txtFind, 1);
  findRow->addWidget(cmdPrevious);
  findRow->addWidget(cmdNext);
  findRow->addWidget(lblFound);
  findRow->addWidget(cmdClose);
  fraFind->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tbHelp);
  layout->addWidget(txtHelp, 1);
  layout->addWidget(fraFind);

  connect(actBack, &QAction::triggered, txtHelp, &QTextBrowser::backward);
  connect(actForward, &QAction::triggered, txtHelp, &QTextBrowser::forward);
  connect(txtHelp, &QTextBrowser::backwardAvailable, actBack, &QAction::setEnabled);
  connect(txtHelp, &QTextBrowser::forwardAvailable, actForward, &QAction::setEnabled);
  connect(actContents, &QAction::triggered, this, [this] { Open(contents_); });
  connect(actIndex, &QAction::triggered, this,
          [this] { Open(contents_.resolved(QUrl(QLatin1String(kHelpIndexPage)))); });
  connect(actFind, &QAction::triggered, this, &HelpPane::ShowFindBar);
  connect(txtFind, &QLineEdit::returnPressed, this,
          [this] { FindNext((QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) != 0); });
  connect(txtFind, &QLineEdit::textEdited, this, [this] {
    // Searching as the user types: from the start of the current match.
    QTextCursor cursor = txtHelp->textCursor();
    cursor.setPosition(cursor.selectionStart());
    txtHelp->setTextCursor(cursor);
    FindNext();
  });
  connect(cmdNext, &QPushButton::clicked, this, [this] { FindNext(); });
  connect(cmdPrevious, &QPushButton::clicked, this, [this] { FindNext(true); });
  connect(cmdClose, &QPushButton::clicked, this, [this] {
    fraFind->hide();
    txtHelp->setFocus();
  });
}

void HelpPane::SetContents(const QUrl& contents) {
  contents_ = contents;
  actContents->setEnabled(contents.isValid());
  actIndex->setEnabled(contents.isValid());
}

void HelpPane::Open(const QUrl& page) {
  if (page.isValid()) txtHelp->setSource(page);
}

void HelpPane::ShowFindBar() {
  fraFind->show();
  txtFind->setFocus(Qt::ShortcutFocusReason);
  txtFind->selectAll();
}

bool HelpPane::FindNext(bool backward) {
  const QString text = txtFind->text();
  lblFound->clear();
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags =
      backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  if (txtHelp->find(text, flags)) return true;
  // Round again from the other end of the page.
  QTextCursor cursor = txtHelp->textCursor();
  cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
  txtHelp->setTextCursor(cursor);
  if (txtHelp->find(text, flags)) return true;
  lblFound->setText(QStringLiteral("Not found"));
  return false;
}

}  // namespace corvane
