// The programme editor: the meeting's header, the teams' names and extra points, and every
// rider's name and average, entered by hand or loaded from the rider database; the meeting
// options; and Start Racing, which hands the meeting to the runner.
#pragma once

#include <QChar>
#include <QDate>
#include <QDialog>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "dialogmodels/programme_rules.h"
#include "engine/records/preferences.h"
#include "heatcontrol/dialog_services.h"
#include "riderdb/lineup_choice.h"

class QAction;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QScrollArea;
class QLabel;
class QLineEdit;
class QMenuBar;
class QToolBar;
class QWidget;

namespace corvane {

struct ProgEditorSetup {
  Preferences prefs;               // the player teams a new meeting starts with
  std::filesystem::path database;  // the rider database offering the line-ups
  QString shortDateFormat = QStringLiteral("dd/MM/yyyy");  // shown in the date box's help
  QChar decimal = QLatin1Char('.');                        // of the average boxes
  QDate today;                                             // offered in the date box's list
  WarningShower warn;
  HelpOpener help;
  // The option dialogs, shown modally; empty means the regulations and control mode dialogs.
  std::function<void(QWidget* parent, Meeting& m)> regulations;
  std::function<void(QWidget* parent, Meeting& m)> control;
};

// The help context of the editor's own help topic.
inline constexpr int kProgEditorHelpContext = 0;

class frmProgEditor : public QDialog {
  Q_OBJECT

 public:
  frmProgEditor(Meeting& m, ProgEditorSetup setup, QWidget* parent = nullptr);

  const EditorLayout& layout() const { return layout_; }
  // The rider row whose box has the focus; 0 when none has.
  int focusedSlot() const { return focusedSlot_; }

  QAction* mnuMStart = nullptr;
  QAction* mnuMClose = nullptr;
  QAction* mnuECut = nullptr;
  QAction* mnuECopy = nullptr;
  QAction* mnuEPaste = nullptr;
  QAction* mnuEMoveUp = nullptr;
  QAction* mnuEMoveDown = nullptr;
  QAction* mnuERdrRep = nullptr;
  QAction* mnuORegs = nullptr;
  QAction* mnuOControl = nullptr;
  QAction* mnuOHomeAdv = nullptr;
  QAction* mnuOInteractive = nullptr;
  QAction* mnuOLineups = nullptr;
  QAction* mnuHProgEditor = nullptr;
  QToolBar* tbEditor = nullptr;

  QComboBox* txtTitle = nullptr;  // offers the line-ups in an individual meeting
  QLineEdit* txtVenue = nullptr;
  QComboBox* txtDate = nullptr;                        // offers today's date
  std::array<QComboBox*, kMaxGroups + 1> txtTmName{};  // by team; offer the line-ups
  std::array<QLineEdit*, kMaxGroups + 1> txtTmPts{};
  std::array<QLineEdit*, kMaxSlots + 1> txtRdrName{};  // by rider slot
  std::array<QLineEdit*, kMaxSlots + 1> txtRdrAvge{};
  std::array<QGroupBox*, kMaxGroups + 1> fraTeam{};  // the team panels, titled "Team A", ...
  QLabel* lblHelp = nullptr;                         // the help line of the focused box

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What a box edits.
  enum class Box { Title, Venue, Date, TeamName, TeamPoints, RiderName, RiderAverage };
  struct BoxRef {
    Box box;
    int index = 0;  // team or slot
  };
  // A box as the focus finds it: the widget that takes the focus (a drop-down box, or the text
  // box itself) and the text box the clipboard commands work on.
  struct WatchedBox {
    BoxRef ref;
    QLineEdit* edit = nullptr;
  };

  void BuildMenus();
  void BuildHeader(QGridLayout* grid);
  QWidget* BuildRows();
  QWidget* BuildTeamPanel(const EditorSection& section);
  QWidget* BuildList();
  void AddRiderRow(QGridLayout* grid, int gridRow, const EditorRow& row);
  QLineEdit* NewBox(const QString& name, int maxLength, Box box, int index);
  void Watch(QLineEdit* edit, Box box, int index);
  void Watch(QComboBox* entry, Box box, int index);
  void ShowTeamTitles();
  void FitToScreen(const QScrollArea* scroll);

  void FillBoxes();
  void ShowRider(int slot);
  void ShowTeam(int team);
  void BuildLineupLists();
  void LoadLineup(int team, int index);
  void UpdateCommands();
  void FocusEntered(const BoxRef& ref, QLineEdit* edit);
  void FocusLeft(const BoxRef& ref);
  void Edited(const BoxRef& ref, const QString& text);

  void MoveRider(int direction);
  void UseReplacement();
  void ShowRegulations();
  void ShowControl();
  void StartRacingCommand();
  QLineEdit* EditedBox() const;

  Meeting& m_;
  ProgEditorSetup setup_;
  EditorLayout layout_;
  std::map<QObject*, WatchedBox> boxes_;
  std::vector<OfferedLineup> offered_;
  bool allLineups_ = false;
  int focusedSlot_ = 0;
  int editingAverage_ = 0;         // slot whose average box is being typed in
  QLineEdit* lastEdit_ = nullptr;  // the box the clipboard commands work on
  QMenuBar* menuBar_ = nullptr;
};

}  // namespace corvane
