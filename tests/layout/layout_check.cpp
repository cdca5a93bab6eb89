#include "layout_check.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>

namespace corvane::testing {

namespace {

QString Describe(const QWidget* widget, const QString& text = QString()) {
  QString name = widget->objectName();
  if (name.isEmpty()) name = QString::fromLatin1(widget->metaObject()->className());
  return text.isEmpty() ? name : QStringLiteral("%1 \"%2\"").arg(name, text);
}

int TextWidth(const QWidget* widget, const QString& text, bool mnemonic) {
  return widget->fontMetrics().size(mnemonic ? Qt::TextShowMnemonic : 0, text).width();
}

// Scrolled contents may lie outside the window: the person scrolls to them.
bool Scrolled(const QWidget* widget, const QWidget* window) {
  for (const QWidget* w = widget->parentWidget(); w != nullptr && w != window;
       w = w->parentWidget()) {
    const auto* area = qobject_cast<const QAbstractScrollArea*>(w->parentWidget());
    if (area != nullptr && area->viewport() == w) return true;
  }
  return false;
}

// Room the caption of a label, button or option needs beyond what it has; 0 when it fits.
int MissingWidth(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    if (label->wordWrap() || label->text().isEmpty()) return 0;
    int needed = 0;
    if (Qt::mightBeRichText(label->text())) {
      QTextDocument document;
      document.setDefaultFont(label->font());
      document.setDocumentMargin(0);
      document.setHtml(label->text());
      needed = static_cast<int>(document.idealWidth());
    } else {
      needed = TextWidth(label, label->text(), label->buddy() != nullptr);
    }
    return needed - (label->contentsRect().width() - 2 * label->margin());
  }
  if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
    if (box->title().isEmpty()) return 0;
    return TextWidth(box, box->title(), true) + 12 - box->width();
  }
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
    if (button->text().isEmpty()) return 0;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
    return TextWidth(button, button->text(), true) + icon - contents.width();
  }
  if (qobject_cast<const QCheckBox*>(widget) != nullptr ||
      qobject_cast<const QRadioButton*>(widget) != nullptr ||
      qobject_cast<const QToolButton*>(widget) != nullptr) {
    return widget->sizeHint().width() - widget->width();
  }
  if (const auto* bar = qobject_cast<const QTabBar*>(widget)) {
    return bar->sizeHint().width() - bar->width();
  }
  return 0;
}

QString Caption(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (const auto* box = qobject_cast<const QGroupBox*>(widget)) return box->title();
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  return QString();
}

// The captions whose access keys the window answers to while `widget` is shown.
QStringList AccessKeyCaptions(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    return label->buddy() != nullptr ? QStringList{label->text()} : QStringList{};
  }
  if (const auto* bar = qobject_cast<const QTabBar*>(widget)) {
    QStringList tabs;
    for (int i = 0; i < bar->count(); ++i) tabs << bar->tabText(i);
    return tabs;
  }
  if (const auto* menus = qobject_cast<const QMenuBar*>(widget)) {
    QStringList titles;
    for (const QAction* action : menus->actions()) {
      if (action->isVisible()) titles << action->text();
    }
    return titles;
  }
  if (qobject_cast<const QToolButton*>(widget) != nullptr) return {};  // toolbars take none
  if (qobject_cast<const QAbstractButton*>(widget) != nullptr ||
      qobject_cast<const QGroupBox*>(widget) != nullptr) {
    return {Caption(widget)};
  }
  return {};
}

}  // namespace

QStringList LayoutFaults(QWidget* window) {
  if (!window->isVisible()) window->show();
  QApplication::processEvents();
  QApplication::processEvents();

  QStringList faults;
  QHash<QKeySequence, QString> keys;
  const QRect inside = window->rect();
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(window) || widget->isWindow()) continue;
    const QString caption = Caption(widget);

    if (const int missing = MissingWidth(widget); missing > 0) {
      faults << QStringLiteral("%1 is %2 px too narrow for its caption")
                    .arg(Describe(widget, caption))
                    .arg(missing);
    }
    const QRect placed(widget->mapTo(window, QPoint(0, 0)), widget->size());
    if (!inside.contains(placed) && !Scrolled(widget, window)) {
      faults << QStringLiteral("%1 lies outside the window").arg(Describe(widget, caption));
    }
    const char* overflow = qobject_cast<QToolBar*>(widget) != nullptr   ? "qt_toolbar_ext_button"
                           : qobject_cast<QMenuBar*>(widget) != nullptr ? "qt_menubar_ext_button"
                                                                        : nullptr;
    if (overflow != nullptr) {
      const auto* button = widget->findChild<QToolButton*>(QLatin1String(overflow));
      if (button != nullptr && button->isVisibleTo(window)) {
        faults
            << QStringLiteral("%1 hides commands behind its overflow button").arg(Describe(widget));
      }
    }
    for (const QString& text : AccessKeyCaptions(widget)) {
      const QKeySequence key = QKeySequence::mnemonic(text);
      if (key.isEmpty()) continue;
      const QString owner = Describe(widget, text);
      if (keys.contains(key)) {
        faults << QStringLiteral("%1 is the access key of %2 and of %3")
                      .arg(key.toString(), keys.value(key), owner);
      } else {
        keys.insert(key, owner);
      }
    }
  }
  return faults;
}

}  // namespace corvane::testing
