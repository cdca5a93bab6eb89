#include "heatcontrol/frm_control.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

// Inside a frame: "Computer" above "Player".
constexpr int kOptionLeft = 135;
constexpr int kComputerTop = 225;
constexpr int kPlayerTop = 470;
constexpr int kOptionWidth = 1005;
constexpr int kOptionHeight = 240;

}  // namespace

frmControl::frmControl(Meeting& m, HelpOpener help, QWidget* parent)
    : QDialog(parent), m_(m), help_(std::move(help)) {
  setObjectName(QStringLiteral("frmControl"));
  setWindowTitle(QStringLiteral("Control Mode"));

  for (int t = 1; t <= kMaxGroups; ++t) {
    const auto i = static_cast<std::size_t>(t);
    auto* frame = new QGroupBox(QStringLiteral("Team %1:").arg(QChar(u'A' + (t - 1))), this);
    frame->setObjectName(QStringLiteral("fraControl%1").arg(t));
    frame->setVisible(false);
    fraControl[i] = frame;
    auto* computer = new QRadioButton(QStringLiteral("Computer"), frame);
    computer->setObjectName(QStringLiteral("optControl%1").arg(2 * t - 1));
    auto* player = new QRadioButton(QStringLiteral("Player"), frame);
    player->setObjectName(QStringLiteral("optControl%1").arg(2 * t));
    optControl[2 * i - 1] = computer;
    optControl[2 * i] = player;
  }
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdHelp = new QPushButton(QStringLiteral("Help"), this);
  cmdHelp->setObjectName(QStringLiteral("cmdHelp"));

  const int teams = ControlledTeams(m_);
  const PlayerChoice players = LoadControl(m_);
  for (int t = 1; t <= teams; ++t) {
    const auto i = static_cast<std::size_t>(t);
    fraControl[i]->setVisible(true);
    optControl[players[i] ? 2 * i : 2 * i - 1]->setChecked(true);
  }
  Arrange(teams);

  connect(cmdOK, &QPushButton::clicked, this, [this] { Accept(); });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [this] {
    if (help_) help_(this, kControlModeHelpContext);
  });
}

int frmControl::Pixels(int twips) const {
  return static_cast<int>(std::lround(twips * scale_ * logicalDpiX() / 1440.0));
}

void frmControl::Arrange(int teams) {
  // The designed geometry, enlarged evenly where this screen's font needs more room.
  scale_ = 1.0;
  const int needed = std::max(optControl[1]->sizeHint().width(), optControl[2]->sizeHint().width());
  if (needed > Pixels(kOptionWidth)) scale_ = static_cast<double>(needed) / Pixels(kOptionWidth);
  auto px = [this](int twips) { return Pixels(twips); };
  const ControlLayout layout = ArrangeControl(teams);
  for (int t = 1; t <= kMaxGroups; ++t) {
    const auto i = static_cast<std::size_t>(t);
    const TwipsPoint at = layout.frames[i];
    fraControl[i]->setGeometry(px(at.left), px(at.top), px(kControlFrameWidth),
                               px(kControlFrameHeight));
    optControl[2 * i - 1]->setGeometry(px(kOptionLeft), px(kComputerTop), px(kOptionWidth),
                                       px(kOptionHeight));
    optControl[2 * i]->setGeometry(px(kOptionLeft), px(kPlayerTop), px(kOptionWidth),
                                   px(kOptionHeight));
  }
  const std::array<QPushButton*, 3> buttons{cmdOK, cmdCancel, cmdHelp};
  for (std::size_t b = 0; b < buttons.size(); ++b) {
    buttons[b]->setGeometry(px(layout.buttonLefts[b]), px(layout.buttonTop),
                            px(kControlButtonWidth), px(kControlButtonHeight));
  }
  setFixedSize(px(layout.innerWidth), px(layout.innerHeight));
}

void frmControl::Accept() {
  PlayerChoice players{};
  for (int t = 1; t <= ControlledTeams(m_); ++t) {
    const auto i = static_cast<std::size_t>(t);
    players[i] = optControl[2 * i]->isChecked();
  }
  WriteControl(players, m_);
  accept();
}

}  // namespace corvane
