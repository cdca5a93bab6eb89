// The rider editor's window on the offscreen platform: boxes, prompts, commands and the find
// dialog.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>
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

  // The find dialog over three line-ups, the list having the focus.
  QDialog* OpenFind() {
    if (!window_->OpenFile(WriteFile(QStringLiteral("find.rdb"),
                                     "Aces,LGE:7,Riders Ltd,7.40,Rider-X,9\r\n"
                                     "Bears,SUP:2,Cy,,A Rider,6\r\n"
                                     "Cats,LG2:3,Rider Two,8\r\n"))) {
      qFatal("cannot open find.rdb");
    }
    Find<QTreeWidget>("lvRecords")->setFocus();
    window_->ShowFind();
    return Find<QDialog>("frmFind");
  }
  template <class T>
  static T* In(QDialog* find, const char* name) {
    return find->findChild<T*>(QLatin1String(name));
  }
  void FindNext(QDialog* find, const QString& text, bool wholeWords, bool matchCase = false) {
    In<QLineEdit>(find, "txtFindWhat")->setText(text);
    In<QCheckBox>(find, "chkMatchWord")->setChecked(wholeWords);
    In<QCheckBox>(find, "chkMatchCase")->setChecked(matchCase);
    QTest::mouseClick(In<QPushButton>(find, "cmdFindNext"), Qt::LeftButton);
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

  void closingWithChangesAsksAndCancelKeepsTheWindow() {
    Type(Box("txtLineupName"), QStringLiteral("Reds"));
    QVERIFY(window_->Editor().Dirty());
    QVERIFY(Item("mnuFSave")->isEnabled());
    QCOMPARE(window_->windowTitle(), QStringLiteral("Rider Editor - [Untitled]"));

    prompts_.answers = {QMessageBox::Cancel};
    QVERIFY(!window_->close());
    QVERIFY(window_->isVisible());
    QCOMPARE(prompts_.messages, QStringList{QStringLiteral("Save changes to this database?")});
    QCOMPARE(Box("txtLineupName")->text(), QStringLiteral("Reds"));
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

    prompts_.answers = {QMessageBox::Yes};
    const QString path = folder_.filePath(QStringLiteral("reds.rdb"));
    prompts_.files = {path};
    QVERIFY(window_->close());
    QVERIFY(!window_->Editor().Dirty());
    QCOMPARE(window_->windowTitle(), QStringLiteral("Rider Editor - [%1]").arg(path));
  }

  void boxesRefuseTheFileSeparatorsTypedOrPasted() {
    QLineEdit* name = Box("txtRdrName_1");
    Type(name, QStringLiteral("Smith, J:r"));
    QCOMPARE(name->text(), QStringLiteral("Smith J:r"));
    QLineEdit* id = Box("txtCompID");
    Type(id, QStringLiteral("LG:E,"));
    QCOMPARE(id->text(), QStringLiteral("LGE"));

    QApplication::clipboard()->setText(QStringLiteral("A,B:C"));
    id->selectAll();
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
    const QString path =
        WriteFile(QStringLiteral("one.rdb"), "Reds,LGE:4,Ann,9.00,Bob,,Cy,7.40\r\n");
    QVERIFY(window_->OpenFile(path));
    QLineEdit* maximum = Box("txtMaxAvge");
    QCOMPARE(maximum->text(), QStringLiteral("12"));
    Type(maximum, QStringLiteral("100"));
    QCOMPARE(maximum->text(), QStringLiteral("10"));
    Type(maximum, QStringLiteral("3"));
    QCOMPARE(Box("txtRdrAvge_1")->text(), QStringLiteral("2.25"));

    // The help line and the lower limit follow the scale; typing 3 is 12.00 in the file.
    QLineEdit* second = Box("txtRdrAvge_2");
    second->setFocus();
    QCOMPARE(Find<QStatusBar>("sbrHelpline")->currentMessage(),
             QStringLiteral("Rider average (0; 0.50-3.00)"));
    QTest::keyClicks(second, QStringLiteral("3"));
    QVERIFY(window_->Editor().Dirty());
    Box("txtRdrAvge_3")->setFocus();
    QCOMPARE(Box("txtRdrAvge_3")->text(), QStringLiteral("1.85"));  // 7.40 shown on 3, edited

    // Left empty or at 0, the maximum box goes back to the scale in use.
    Type(maximum, QStringLiteral("0"));
    Box("txtLineupName")->setFocus();
    QCOMPARE(maximum->text(), QStringLiteral("3"));
    QCOMPARE(second->text(), QStringLiteral("3.00"));
    QCOMPARE(QString::fromStdString(DatabaseText(window_->Editor().Database())).left(37),
             QStringLiteral("Reds,LGE:4,Ann,9.00,Bob,12.00,Cy,7.40"));
  }

  void startingRidersMoveTheDivider() {
    auto* rows = Find<QWidget>("picRows")->layout();
    QCOMPARE(rows->indexOf(Find<QFrame>("lnDivider")), 7);  // under row 7 of a new line-up
    QTest::mouseClick(Find<QRadioButton>("optNumRdrs_4"), Qt::LeftButton);
    QCOMPARE(window_->Editor().SelectedRecord()->startingRiders, 4);
    QCOMPARE(rows->indexOf(Find<QFrame>("lnDivider")), 4);
    QVERIFY(window_->Editor().Dirty());
  }

  void moveUpAndDownFollowTheRider() {
    Type(Box("txtRdrName_1"), QStringLiteral("Ann"));
    Type(Box("txtRdrName_2"), QStringLiteral("Bob"));
    Type(Box("txtRdrAvge_2"), QStringLiteral("8"));
    QVERIFY(Item("mnuEMoveUp")->isEnabled());
    Item("mnuEMoveUp")->trigger();
    QCOMPARE(Box("txtRdrName_1")->text(), QStringLiteral("Bob"));
    QCOMPARE(Box("txtRdrName_2")->text(), QStringLiteral("Ann"));
    QCOMPARE(Box("txtRdrAvge_1")->text(), QStringLiteral("8"));
    QCOMPARE(window_->focusWidget(), Box("txtRdrAvge_1"));
    QVERIFY(!Item("mnuEMoveUp")->isEnabled());
    QVERIFY(Item("mnuEMoveDown")->isEnabled());
    Box("txtLineupName")->setFocus();
    QVERIFY(!Item("mnuEMoveDown")->isEnabled());
    QCOMPARE(Box("txtRdrAvge_1")->text(), QStringLiteral("8.00"));
  }

  void recordCommandsKeepTheListAndPanelInStep() {
    const QString path =
        WriteFile(QStringLiteral("three.rdb"), "A,X:2,Ann,5\r\nB,X:2,Bob,6\r\nC,X:2,Cy,7\r\n");
    QVERIFY(window_->OpenFile(path));
    auto* list = Find<QTreeWidget>("lvRecords");
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(Find<QStatusBar>("sbrHelpline")->currentMessage(), QStringLiteral("3 records"));
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1));
    QCOMPARE(Box("txtRdrName_1")->text(), QStringLiteral("Bob"));
    QVERIFY(Item("mnuRDelete")->isEnabled());
    Item("tbToolbar_Delete")->trigger();
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(1)->data(0, Qt::UserRole).toString(), QStringLiteral("2 ID"));
    QCOMPARE(Box("txtRdrName_1")->text(), QStringLiteral("Cy"));
    QCOMPARE(Find<QStatusBar>("sbrHelpline")->currentMessage(), QStringLiteral("2 records"));
    Box("txtLineupName")->setFocus();
    QVERIFY(!Item("mnuRDelete")->isEnabled());  // only while the list has the focus

    Item("mnuRDuplicate")->trigger();
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(list->currentItem()->text(0), QStringLiteral("C"));
    QCOMPARE(window_->focusWidget(), Box("txtLineupName"));
    Type(Box("txtLineupName"), QStringLiteral("  "));
    QCOMPARE(list->currentItem()->text(0), QStringLiteral("<Untitled>"));
    Item("mnuESKey_0")->trigger();
    QVERIFY(Item("mnuESKey_0")->isChecked());
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("<Untitled>"));

    // Open with changes asks Yes / No; No and a cancelled dialog leave everything as it was.
    prompts_.answers = {QMessageBox::No};
    prompts_.files = {QString()};
    Item("mnuFOpen")->trigger();
    QCOMPARE(prompts_.fileTitles.last(), QStringLiteral("Open"));
    QCOMPARE(list->topLevelItemCount(), 3);
    QVERIFY(window_->Editor().Dirty());
  }

  void helpShowsTheManualsPageOrTheBuiltInCopy() {
    // Without the folder's page, the copy built into the program.
    window_->SetHelpFolder(folder_.filePath(QStringLiteral("nowhere")));
    Item("mnuHTopics")->trigger();
    auto* help = Find<QDialog>("frmHelp");
    QCOMPARE(help->findChild<QTextBrowser*>()->source().scheme(), QStringLiteral("qrc"));
    help->deleteLater();
    QTest::qWait(0);

    // With the manual's folder, its page, so the links reach the other pages.
    QDir(folder_.path()).mkpath(QStringLiteral("help"));
    WriteFile(QStringLiteral("help/tavrel.html"), "<h1>Manual page</h1>");
    window_->SetHelpFolder(folder_.filePath(QStringLiteral("help")));
    Item("mnuHTopics")->trigger();
    auto* browser = Find<QDialog>("frmHelp")->findChild<QTextBrowser*>();
    QVERIFY(browser->source().isLocalFile());
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Manual page")));
  }

  // Each Find Next goes on from the last match, round from the last line-up; whole words skip
  // parts of words; averages are searched as shown.
  void findNextGoesOnFromTheLastMatch() {
    QDialog* find = OpenFind();
    QVERIFY(!In<QPushButton>(find, "cmdFindNext")->isEnabled());
    QTest::keyClicks(In<QLineEdit>(find, "txtFindWhat"), QStringLiteral("R"));
    QVERIFY(In<QPushButton>(find, "cmdFindNext")->isEnabled());

    for (const auto& [lineup, box] : {std::pair{"Bears", "txtRdrName_2"},
                                      {"Cats", "txtRdrName_1"},
                                      {"Bears", "txtRdrName_2"}}) {
      FindNext(find, QStringLiteral("rider"), true);
      QCOMPARE(Selected(), QLatin1String(box) + QStringLiteral(" Rider"));
      QCOMPARE(Box("txtLineupName")->text(), QLatin1String(lineup));
    }
    QVERIFY(prompts_.messages.isEmpty());
    FindNext(find, QStringLiteral("rider"), true, true);
    QCOMPARE(prompts_.messages, QStringList{QStringLiteral("Search text not found!")});
    QCOMPARE(Box("txtLineupName")->text(), QStringLiteral("Bears"));

    FindNext(find, QStringLiteral("7.4"), false);
    QCOMPARE(Selected(), QStringLiteral("txtRdrAvge_1 7.4"));
    QCOMPARE(Box("txtRdrAvge_1")->text(), QStringLiteral("7.40"));
    FindNext(find, QStringLiteral("9.00"), false);
    QCOMPARE(Selected(), QStringLiteral("txtRdrAvge_2 9.00"));
  }

  void findCancelHidesAndKeepsTheSettings() {
    QDialog* find = OpenFind();
    FindNext(find, QStringLiteral("Cy"), false, true);
    QTest::mouseClick(In<QPushButton>(find, "cmdCancel"), Qt::LeftButton);
    QVERIFY(!find->isVisible());
    window_->ShowFind();
    QVERIFY(find->isVisible());
    QCOMPARE(In<QLineEdit>(find, "txtFindWhat")->text(), QStringLiteral("Cy"));
    QVERIFY(In<QCheckBox>(find, "chkMatchCase")->isChecked());
    QVERIFY(!In<QCheckBox>(find, "chkMatchWord")->isChecked());
  }
};

// The start-up pieces that come before the window: the settings value and the command line.
class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void maximumAverageComesFromTheSharedSettings() {
    QTemporaryDir folder;
    QCOMPARE(ReadDefaultMaxAverage(folder.path()), 12);
    const auto store = [&](const QString& value) {
      QSettings settings(folder.filePath(QStringLiteral("Corvane Meeting.ini")),
                         QSettings::IniFormat);
      settings.setValue(QStringLiteral("DefMaxAvge"), value);
    };
    store(QStringLiteral("15"));
    QCOMPARE(ReadDefaultMaxAverage(folder.path()), 15);
    store(QStringLiteral("150"));
    QCOMPARE(ReadDefaultMaxAverage(folder.path()), 12);
    store(QStringLiteral("9,5"));
    QCOMPARE(ReadDefaultMaxAverage(folder.path()), 9);
  }

  void quotedCommandLineOpensTheDatabase() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("my teams.rdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Reds,LGE:7,Ann,9\r\n");
    file.close();
    ScriptedPrompts prompts;
    FrmTavrel window(12, QStringLiteral("."), prompts);
    window.Start(QStringLiteral(" \"%1\" ").arg(path));
    QCOMPARE(QString::fromStdString(window.Editor().FileName()), path);
    QCOMPARE(window.windowTitle(), QStringLiteral("Rider Editor - [%1]").arg(path));
    QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtLineupName"))->text(),
             QStringLiteral("Reds"));

    // A database that cannot be read says why and leaves a new one.
    FrmTavrel missing(12, QStringLiteral("."), prompts);
    missing.Start(QStringLiteral("\"%1\"").arg(folder.filePath(QStringLiteral("gone.rdb"))));
    QVERIFY(prompts.messages.last().startsWith(
        QStringLiteral("The rider database could not be opened.")));
    QCOMPARE(missing.windowTitle(), QStringLiteral("Rider Editor - [Untitled]"));
    QCOMPARE(missing.Editor().Database().RecordCount(), 1);
  }
};

}  // namespace corvane

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);
  int failed = 0;
  corvane::FrmTavrelTest window;
  failed += QTest::qExec(&window, argc, argv);
  corvane::StartUpTest startUp;
  failed += QTest::qExec(&startUp, argc, argv);
  return failed;
}

#include "frm_tavrel_test.moc"
