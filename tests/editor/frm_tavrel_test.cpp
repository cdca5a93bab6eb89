// The rider editor's window on the offscreen platform: boxes, prompts, commands, the find
// dialog, help and start-up.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
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
    Box("txtFindWhat")->setText(QString::fromUtf8("\u0142ukasz"));
    QTest::mouseClick(Find<QPushButton>("cmdFindNext"), Qt::LeftButton);
    QCOMPARE(qobject_cast<QLineEdit*>(window_->focusWidget())->selectedText(),
             QString::fromUtf8("\u0141ukasz"));
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
