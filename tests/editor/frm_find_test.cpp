// The find dialog driving the rider editor's search, on the offscreen platform.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "editor/frm_tavrel.h"
#include "scripted_prompts.h"

namespace corvane {

class FrmFindTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FrmTavrel> window_;
  ScriptedPrompts prompts_;
  QTemporaryDir folder_;
  QDialog* find_ = nullptr;

  template <class T>
  T* Control(QObject* parent, const QString& name) {
    T* found = parent->findChild<T*>(name);
    if (found == nullptr) qFatal("no control %s", qPrintable(name));
    return found;
  }
  QLineEdit* Box(const QString& name) { return Control<QLineEdit>(window_.get(), name); }
  void FindNext(const QString& text, bool wholeWords = false, bool matchCase = false) {
    Control<QLineEdit>(find_, QStringLiteral("txtFindWhat"))->setText(text);
    Control<QCheckBox>(find_, QStringLiteral("chkMatchWord"))->setChecked(wholeWords);
    Control<QCheckBox>(find_, QStringLiteral("chkMatchCase"))->setChecked(matchCase);
    QTest::mouseClick(Control<QPushButton>(find_, QStringLiteral("cmdFindNext")), Qt::LeftButton);
  }
  // The box the search put the caret in, and the text it selected there.
  QString Selected() {
    auto* box = qobject_cast<QLineEdit*>(window_->focusWidget());
    return box == nullptr ? QString()
                          : box->objectName() + QStringLiteral(" ") + box->selectedText();
  }

 private slots:
  void init() {
    const QString path = folder_.filePath(QStringLiteral("find.rdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "Aces,LGE:7,Riders Ltd,7.40,Rider-X,9\r\n"
        "Bears,SUP:2,Cy,,A Rider,6\r\n"
        "Cats,LG2:3,Rider Two,8\r\n");
    file.close();
    prompts_ = ScriptedPrompts{};
    window_ = std::make_unique<FrmTavrel>(12, QStringLiteral("."), prompts_);
    window_->Start(path);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    window_->findChild<QTreeWidget*>(QStringLiteral("lvRecords"))->setFocus();
    window_->ShowFind();
    find_ = Control<QDialog>(window_.get(), QStringLiteral("frmFind"));
  }
  void cleanup() { window_.reset(); }

  void findNextNeedsText() {
    auto* findNext = Control<QPushButton>(find_, QStringLiteral("cmdFindNext"));
    QVERIFY(!findNext->isEnabled());
    QTest::keyClicks(Control<QLineEdit>(find_, QStringLiteral("txtFindWhat")), QStringLiteral("R"));
    QVERIFY(findNext->isEnabled());
  }

  void wholeWordsSkipPartsOfWordsAndWrapRound() {
    FindNext(QStringLiteral("rider"), true);
    QCOMPARE(Selected(), QStringLiteral("txtRdrName_2 Rider"));
    QCOMPARE(Box("txtLineupName")->text(), QStringLiteral("Bears"));
    FindNext(QStringLiteral("rider"), true);
    QCOMPARE(Selected(), QStringLiteral("txtRdrName_1 Rider"));
    QCOMPARE(Box("txtLineupName")->text(), QStringLiteral("Cats"));
    FindNext(QStringLiteral("rider"), true);
    QCOMPARE(Selected(), QStringLiteral("txtRdrName_2 Rider"));  // round from the last line-up
    QCOMPARE(Box("txtLineupName")->text(), QStringLiteral("Bears"));
    QVERIFY(prompts_.messages.isEmpty());

    FindNext(QStringLiteral("rider"), true, true);
    QCOMPARE(prompts_.messages, QStringList{QStringLiteral("Search text not found!")});
    QCOMPARE(Box("txtLineupName")->text(), QStringLiteral("Bears"));
  }

  void averagesAreSearchedAsShown() {
    FindNext(QStringLiteral("7.4"));
    QCOMPARE(Selected(), QStringLiteral("txtRdrAvge_1 7.4"));
    QCOMPARE(Box("txtRdrAvge_1")->text(), QStringLiteral("7.40"));
    FindNext(QStringLiteral("9.00"));
    QCOMPARE(Selected(), QStringLiteral("txtRdrAvge_2 9.00"));
  }

  void cancelHidesAndKeepsTheSettings() {
    FindNext(QStringLiteral("Cy"), false, true);
    QTest::mouseClick(Control<QPushButton>(find_, QStringLiteral("cmdCancel")), Qt::LeftButton);
    QVERIFY(!find_->isVisible());
    window_->ShowFind();
    QVERIFY(find_->isVisible());
    QCOMPARE(Control<QLineEdit>(find_, QStringLiteral("txtFindWhat"))->text(),
             QStringLiteral("Cy"));
    QVERIFY(Control<QCheckBox>(find_, QStringLiteral("chkMatchCase"))->isChecked());
    QVERIFY(!Control<QCheckBox>(find_, QStringLiteral("chkMatchWord"))->isChecked());
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::FrmFindTest)
#include "frm_find_test.moc"
