// The rider editor's window: the list of line-ups on the left, the line-up shown on the right
// (name, competition ID, number of starting riders and 40 rider rows), menus, toolbar and a
// status bar of help lines. What the commands decide is in RiderEditor; this class lays out the
// controls, forwards the user's edits and shows the outcome.
#pragma once

#include <QMainWindow>
#include <array>

#include "editor/record_search.h"
#include "editor/rider_editor.h"

class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QStatusBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;

namespace corvane {

class FrmFind;
class UserPrompts;

class FrmTavrel : public QMainWindow {
  Q_OBJECT

 public:
  FrmTavrel(int maxAverage, const QString& decimalSeparator, UserPrompts& prompts,
            QWidget* parent = nullptr);
  ~FrmTavrel() override;

  // Opens the database named by the command line's argument (quotes and blanks around it are
  // dropped), or starts a new one when none is named or it cannot be read.
  void Start(const QString& commandLineArgument);

  // The folder of the help pages; without its page the built-in copy is shown.
  void SetHelpFolder(const QString& folder) { helpFolder_ = folder; }

  const RiderEditor& Editor() const { return editor_; }
  UserPrompts& Prompts() { return prompts_; }

  // Used by the find dialog: the settings of the last search, and the search itself, which
  // starts just after the caret of the focused box and shows and selects the next match.
  SearchSettings& LastSearch() { return lastSearch_; }
  void SearchRecords();
  // Shows the selected line-up in the panel.
  void DisplayRecord();

  // The commands of the menus and the toolbar.
  void NewDatabase();
  void OpenDatabase();
  bool OpenFile(const QString& path);
  bool SaveDatabase();
  bool SaveDatabaseAs();
  void MergeDatabase();
  void AddLineup();
  void DuplicateLineup();
  void DeleteLineup();
  void MoveRider(int step);
  void SortList(SortColumn column);
  void ShowFind();
  void UndoEdit();
  void RedoEdit();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Layout, built once.
  void BuildMenus();
  void BuildToolbar();
  QWidget* BuildPanel();
  QWidget* BuildRow(int row);
  void ConnectEdits();

  // Asks whether to save unsaved changes; false when the user cancels (or the save failed).
  bool AskToSave();
  bool SaveTo(const QString& path);
  void RefreshList();
  void RefreshCurrentEntry();
  void RefreshTitleAndTools();
  void RefreshEditMenu();
  void ShowRecordCount();
  void ShowAverages();
  void MoveDivider(int startingRiders);
  void FocusNameBox();
  // The status-bar help line of a box; empty for other widgets.
  QString HelpLineFor(QWidget* widget) const;
  // After Undo or Redo: the list, the panel and the tools as the editor now holds them.
  void ShowRestored();
  void BoxLeft(QWidget* box);
  // The rider row (1..40) of a name or average box; 0 for any other widget.
  int RiderRowOf(const QWidget* widget) const;
  SearchPlace SearchStart() const;
  QLineEdit* BoxOfField(int field) const;
  void RecordSelected(QTreeWidgetItem* item);

  RiderEditor editor_;
  UserPrompts& prompts_;
  QString decimalSeparator_;
  QString helpFolder_;
  SearchSettings lastSearch_;
  FrmFind* frmFind_ = nullptr;
  QMetaObject::Connection focusWatch_;

  QTreeWidget* lvRecords = nullptr;
  QWidget* fraLineup = nullptr;
  QLineEdit* txtLineupName = nullptr;
  QLineEdit* txtCompID = nullptr;
  QLineEdit* txtMaxAvge = nullptr;
  std::array<QRadioButton*, 41> optNumRdrs{};  // 2..40
  std::array<QLabel*, 41> lblRdr{};            // 1..40
  std::array<QLineEdit*, 41> txtRdrName{};     // 1..40
  std::array<QLineEdit*, 41> txtRdrAvge{};     // 1..40
  QButtonGroup* numRidersGroup_ = nullptr;
  QVBoxLayout* rowsLayout_ = nullptr;
  QFrame* lnDivider = nullptr;
  QScrollArea* rowsArea_ = nullptr;
  QScrollBar* fsbLineup = nullptr;
  QStatusBar* sbrHelpline = nullptr;
  QToolBar* tbToolbar = nullptr;

  QMenu* mnuEdit = nullptr;
  QAction* mnuFNew = nullptr;
  QAction* mnuFOpen = nullptr;
  QAction* mnuFSave = nullptr;
  QAction* mnuFSaveAs = nullptr;
  QAction* mnuFImport = nullptr;
  QAction* mnuFExit = nullptr;
  QAction* mnuEUndo = nullptr;
  QAction* mnuERedo = nullptr;
  QAction* mnuECut = nullptr;
  QAction* mnuECopy = nullptr;
  QAction* mnuEPaste = nullptr;
  QAction* mnuEMoveUp = nullptr;
  QAction* mnuEMoveDown = nullptr;
  QAction* mnuEFind = nullptr;
  std::array<QAction*, 2> mnuESKey{};  // 0 by name, 1 by ID
  QAction* mnuRAdd = nullptr;
  QAction* mnuRDuplicate = nullptr;
  QAction* mnuRDelete = nullptr;
  QAction* mnuHTopics = nullptr;
  QAction* mnuHAbout = nullptr;
};

}  // namespace corvane
