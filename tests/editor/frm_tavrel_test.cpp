// The rider editor's window on the offscreen platform: boxes, prompts, commands, the find
// dialog, help and start-up.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <utility>

#include "editor/editor_settings.h"
#include "editor/frm_tavrel.h"
#include "scripted_prompts.h"

namespace corvane {

class FrmTavrelTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FrmTavrel> window_;
  ScriptedPrompts prompts_;
  QTemporaryDir folder_;

  template <class T>
  T* Find(const QString& name) {
    T* found = window_->findChild<T*>(name);
    if (found == nullptr) qFatal("no control %s", qPrintable(name));
    return found;
  }
  QLineEdit* Box(const QString& name) { return Find<QLineEdit>(name); }
  QAction* Item(const QString& name) { return Find<QAction>(name); }
  QString WriteFile(const QString& name, const QByteArray& text) {
    const QString path = folder_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(text);
    return path;
  }
  void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
  }

  void FindNext(const QString& text, bool wholeWords, bool matchCase = false) {
    Box("txtFindWhat")->setText(text);
    Find<QCheckBox>("chkMatchWord")->setChecked(wholeWords);
    Find<QCheckBox>("chkMatchCase")->setChecked(matchCase);
    QTest::mouseClick(Find<QPushButton>("cmdFindNext"), Qt::LeftButton);
  }
  // The box the search put the caret in, and the text it selected there.
  QString Selected() {
    auto* box = qobject_cast<QLineEdit*>(window_->focusWidget());
    return box == nullptr ? QString()
                          : box->objectName() + QStringLiteral(" ") + box->selectedText();
  }

 private slots:
  void init() {
    prompts_ = ScriptedPrompts{};
    window_ = std::make_unique<FrmTavrel>(12, QStringLiteral("."), prompts_);
    window_->Start(QString());
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  void cleanup() { window_.reset(); }
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void closingWithChangesAsksAndCancelKeepsTheWindow() {
    Type(Box("txtLineupName"), QStringLiteral("Reds"));
    QVERIFY(window_->Editor().Dirty() && Item("mnuFSave")->isEnabled());

    prompts_.answers = {QMessageBox::Cancel};
    QVERIFY(!window_->close());
    QCOMPARE(prompts_.messages, QStringList{QStringLiteral("Save changes to this database?")});
    QCOMPARE(Find<QTreeWidget>("lvRecords")->topLevelItem(0)->text(0), QStringLiteral("Reds"));

    // Yes whose save fails says why and still refuses to close.
    prompts_.answers = {QMessageBox::Yes};
    prompts_.files = {folder_.filePath(QStringLiteral("no folder/reds.rdb"))};
    QVERIFY(!window_->close());
    QCOMPARE(prompts_.fileTitles, QStringList{QStringLiteral("Save As")});
    QVERIFY(prompts_.messages.last().startsWith(
        QStringLiteral("The rider database could not be saved.")));
    QVERIFY(window_->Editor().Dirty());
    QCOMPARE(window_->windowTitle(), QStringLiteral("Rider Editor - [Untitled]"));

    // New asks as well; Cancel keeps the changes.
    prompts_.answers = {QMessageBox::Cancel};
    Item("mnuFNew")->trigger();
    QVERIFY(window_->Editor().Dirty() && prompts_.answers.isEmpty());
    QCOMPARE(prompts_.messages.last(), QStringLiteral("Save changes to this database?"));

    // A name typed without an extension is saved as a rider database; where that would replace
    // a file the dialog did not ask about, the user is asked.
    const QString path = folder_.filePath(QStringLiteral("reds.rdb"));
    WriteFile(QStringLiteral("reds.rdb"), "");
    prompts_.answers = {QMessageBox::Yes, QMessageBox::No};
    prompts_.files = {folder_.filePath(QStringLiteral("reds"))};
    QVERIFY(!window_->close());
    QVERIFY(prompts_.messages.last().startsWith(QStringLiteral("reds.rdb already exists")));
    prompts_.answers = {QMessageBox::Yes, QMessageBox::Yes};
    prompts_.files = {folder_.filePath(QStringLiteral("reds"))};
    QVERIFY(window_->close());
    QVERIFY(!window_->Editor().Dirty());
    QCOMPARE(window_->windowTitle(), QStringLiteral("Rider Editor - [%1]").arg(path));
  }

  void boxesRefuseTheFileSeparatorsTypedOrPasted() {
    QLineEdit* name = Box("txtRdrName_1");
    Type(name, QStringLiteral("Smith, J:r"));
    QCOMPARE(name->text(), QStringLiteral("Smith J:r"));
    QLineEdit* id = Box("txtCompID");
    QApplication::clipboard()->setText(QStringLiteral("A,B:C"));
    id->setFocus();
    Item("mnuEPaste")->trigger();
    QCOMPARE(id->text(), QStringLiteral("ABC"));
    const LineupRecord* record = window_->Editor().SelectedRecord();
    QCOMPARE(QString::fromStdString(record->compId), QStringLiteral("ABC"));
    QCOMPARE(QString::fromStdString(record->riderNames[1]), QStringLiteral("Smith J:r"));

    QLineEdit* average = Box("txtRdrAvge_1");
    Type(average, QStringLiteral("x7.4.6"));
    QCOMPARE(average->text(), QStringLiteral("7.46"));
  }

  void averagesFollowTheMaximumAverageBox() {
    QVERIFY(window_->OpenFile(
        WriteFile(QStringLiteral("one.rdb"), "Reds,LGE:4,Ann,9.00,Bob,,Cy,7.40\r\n")));
    QLineEdit* maximum = Box("txtMaxAvge");
    Type(maximum, QStringLiteral("3"));
    QCOMPARE(Box("txtRdrAvge_1")->text(), QStringLiteral("2.25"));

    // The help line and the lower limit follow the scale; typing 3 is 12.00 in the file.
    QLineEdit* second = Box("txtRdrAvge_2");
    second->setFocus();
    QCOMPARE(Find<QStatusBar>("sbrHelpline")->currentMessage(),
             QStringLiteral("Rider average (0; 0.50-3.00)"));
    QTest::keyClicks(second, QStringLiteral("3"));
    Box("txtRdrAvge_3")->setFocus();
    QCOMPARE(Box("txtRdrAvge_3")->text(), QStringLiteral("1.85"));  // 7.40 shown on 3, edited

    // Left at 0, the maximum box goes back to the scale in use.
    Type(maximum, QStringLiteral("0"));
    Box("txtLineupName")->setFocus();
    QCOMPARE(maximum->text(), QStringLiteral("3"));
    QCOMPARE(second->text(), QStringLiteral("3.00"));
    QCOMPARE(QString::fromStdString(DatabaseText(window_->Editor().Database())).left(37),
             QStringLiteral("Reds,LGE:4,Ann,9.00,Bob,12.00,Cy,7.40"));
  }

  void recordCommandsKeepTheListAndPanelInStep() {
    QVERIFY(window_->OpenFile(
        WriteFile(QStringLiteral("three.rdb"), "A,X:2,Ann,5\r\nB,X:2,Bob,6\r\nC,X:2,Cy,7\r\n")));
    auto* list = Find<QTreeWidget>("lvRecords");
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1));
    QCOMPARE(Box("txtRdrName_1")->text(), QStringLiteral("Bob"));
    Item("tbToolbar_Delete")->trigger();
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(1)->data(0, Qt::UserRole).toString(), QStringLiteral("2 ID"));
    QCOMPARE(Box("txtRdrName_1")->text(), QStringLiteral("Cy"));
    Box("txtLineupName")->setFocus();
    QVERIFY(!Item("mnuRDelete")->isEnabled());  // only while the list has the focus

    Item("mnuRDuplicate")->trigger();
    QCOMPARE(list->currentItem()->text(0), QStringLiteral("C"));
    QCOMPARE(window_->focusWidget(), Box("txtLineupName"));
    Type(Box("txtLineupName"), QStringLiteral("  "));
    QCOMPARE(list->currentItem()->text(0), QStringLiteral("<Untitled>"));
    Item("mnuESKey_0")->trigger();
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("<Untitled>"));

    // Open with changes asks Yes / No; No and a cancelled dialog leave everything as it was.
    prompts_.answers = {QMessageBox::No};
    Item("mnuFOpen")->trigger();
    QCOMPARE(prompts_.fileTitles.last(), QStringLiteral("Open"));
    QCOMPARE(list->topLevelItemCount(), 3);
    QVERIFY(window_->Editor().Dirty());
  }

  // A deleted line-up comes back with Undo, from the menu or Ctrl+Z in a box; Save As starts at
  // the database's file.
  void undoRedoAndSaveAs() {
    const QString path =
        WriteFile(QStringLiteral("three.rdb"), "A,X:2,Ann,5\r\nB,X:2,Bob,6\r\nC,X:2,Cy,7\r\n");
    QVERIFY(window_->OpenFile(path));
    auto* list = Find<QTreeWidget>("lvRecords");
    QVERIFY(!Item("mnuEUndo")->isEnabled());
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1));
    Item("mnuRDelete")->trigger();
    Item("mnuEUndo")->trigger();
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(Box("txtRdrName_1")->text(), QStringLiteral("Bob"));

    Type(Box("txtRdrName_2"), QStringLiteral("Zed"));
    QTest::keyClick(Box("txtRdrName_2"), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window_->Editor().SelectedRecord()->riderNames[2], std::string());

    prompts_.files = {QString()};
    Item("mnuFSaveAs")->trigger();
    QCOMPARE(prompts_.proposed, QStringList{path});
  }

  // Names in any alphabet: boxes count characters, not UTF-16 units; Find without match case
  // takes a small letter for its capital.
  void namesInAnyAlphabet() {
    QVERIFY(window_->OpenFile(
        WriteFile(QStringLiteral("pl.rdb"), "Gda\u0144sk,LGE:7,\u017Bak \u0141ukasz,7.40\r\n")));
    const int most = static_cast<int>(kRiderNameLength);
    Box("txtRdrName_2")->setFocus();
    for (int k = 0; k < 30; ++k) Box("txtRdrName_2")->insert(QString(QChar(0x0142)));
    QCOMPARE(Box("txtRdrName_2")->text(), QString(most, QChar(0x0142)));
    QLineEdit* wide = Box("txtRdrName_3");
    QApplication::clipboard()->setText(QString::fromUtf8("\U0001F3CD").repeated(30));
    wide->setFocus();
    Item("mnuEPaste")->trigger();
    QCOMPARE(wide->text(), QString::fromUtf8("\U0001F3CD").repeated(most));
    QCOMPARE(window_->Editor().SelectedRecord()->riderNames[3],
             QString::fromUtf8("\U0001F3CD").repeated(most).toStdString());

    Find<QTreeWidget>("lvRecords")->setFocus();
    window_->ShowFind();
    FindNext(QString::fromUtf8("\u0142ukasz"), false);
    QCOMPARE(Selected(), QString::fromUtf8("txtRdrName_1 \u0141ukasz"));
  }

  // Each Find Next goes on from the last match, round from the last line-up; averages are
  // searched as shown; Cancel hides the dialog, which keeps what was asked.
  void findNextGoesOnFromTheLastMatch() {
    QVERIFY(
        window_->OpenFile(WriteFile(QStringLiteral("find.rdb"),
                                    "Aces,LGE:7,Riders Ltd,7.40,Rider-X,9\r\n"
                                    "Bears,SUP:2,Cy,,A Rider,6\r\nCats,LG2:3,Rider Two,8\r\n")));
    Find<QTreeWidget>("lvRecords")->setFocus();
    window_->ShowFind();
    QVERIFY(!Find<QPushButton>("cmdFindNext")->isEnabled());
    QTest::keyClicks(Box("txtFindWhat"), QStringLiteral("R"));
    QVERIFY(Find<QPushButton>("cmdFindNext")->isEnabled());
    for (const auto& [lineup, box] : {std::pair{"Bears", "txtRdrName_2"},
                                      {"Cats", "txtRdrName_1"},
                                      {"Bears", "txtRdrName_2"}}) {
      FindNext(QStringLiteral("rider"), true);
      QCOMPARE(Selected(), QLatin1String(box) + QStringLiteral(" Rider"));
      QCOMPARE(Box("txtLineupName")->text(), QLatin1String(lineup));
    }
    QVERIFY(prompts_.messages.isEmpty());
    FindNext(QStringLiteral("rider"), true, true);
    QCOMPARE(prompts_.messages, QStringList{QStringLiteral("Search text not found!")});
    QCOMPARE(Box("txtLineupName")->text(), QStringLiteral("Bears"));

    FindNext(QStringLiteral("7.4"), false, true);
    QCOMPARE(Selected(), QStringLiteral("txtRdrAvge_1 7.4"));
    QCOMPARE(Box("txtRdrAvge_1")->text(), QStringLiteral("7.40"));

    auto* find = Find<QDialog>("frmFind");
    QTest::mouseClick(Find<QPushButton>("cmdCancel"), Qt::LeftButton);
    QVERIFY(!find->isVisible());
    window_->ShowFind();
    QVERIFY(find->isVisible() && Find<QCheckBox>("chkMatchCase")->isChecked());
    QCOMPARE(Box("txtFindWhat")->text(), QStringLiteral("7.4"));
  }

  // The maximum average's values are the logic tests'; here the file and key it comes from.
  void maximumAverageComesFromTheSharedSettings() {
    QCOMPARE(ReadDefaultMaxAverage(folder_.path()), 12);
    QSettings(folder_.filePath(QStringLiteral("Corvane Meeting.ini")), QSettings::IniFormat)
        .setValue(QStringLiteral("DefMaxAvge"), QStringLiteral("15"));
    QCOMPARE(ReadDefaultMaxAverage(folder_.path()), 15);
  }

  void quotedCommandLineOpensTheDatabase() {
    const QString path = WriteFile(QStringLiteral("my teams.rdb"), "Reds,LGE:7,Ann,9\r\n");
    FrmTavrel window(12, QStringLiteral("."), prompts_);
    window.Start(QStringLiteral(" \"%1\" ").arg(path));
    QCOMPARE(window.windowTitle(), QStringLiteral("Rider Editor - [%1]").arg(path));
    QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtLineupName"))->text(),
             QStringLiteral("Reds"));

    // A database that cannot be read says why and leaves a new one.
    FrmTavrel missing(12, QStringLiteral("."), prompts_);
    missing.Start(QStringLiteral("\"%1\"").arg(folder_.filePath(QStringLiteral("gone.rdb"))));
    QVERIFY(prompts_.messages.last().startsWith(
        QStringLiteral("The rider database could not be opened.")));
    QCOMPARE(missing.windowTitle(), QStringLiteral("Rider Editor - [Untitled]"));
    QCOMPARE(missing.Editor().Database().RecordCount(), 1);
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::FrmTavrelTest)
#include "frm_tavrel_test.moc"
