// The player's control of one heat, without any window: the line-up as the heat manager holds
// it, the candidates and messages for the selected place, and the write-back when the race is
// started.
//
// Opened before the start (SlotCursor 0) it shows every starting place; the player may put a
// substitute into a place of a team he steers, withdraw a rider and, in scratch racing, choose
// the number of starters and each rider's handicap. Opened during the start (SlotCursor k > 0)
// it shows place k only, whose rider was injured, excluded or penalised at the tapes, and the
// player replaces him or keeps him.
//
// Changes stay in the model's own per-place arrays until Start writes them into the meeting;
// Cancel leaves the line-up alone (except that opening it empties the nominated places of the
// player's teams: he has to nominate their riders himself).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/records/meeting.h"

namespace corvane {

// Which riders the candidate list offers.
enum SubstituteKind : int {
  kReserves = 1,  // reserves, nominated riders, track reserves (every rider in scratch racing)
  kTacticalSubstitutes = 2,
  kRiderReplacement = 3,
};

// One line of the line-up list: its text and the starting place it shows.
struct LineupEntry {
  std::string text;
  int place = 0;

  bool operator==(const LineupEntry&) const = default;
};

// One rider of the candidate list.
struct Candidate {
  std::string text;
  int rider = 0;

  bool operator==(const Candidate&) const = default;
};

class HeatManagerModel {
 public:
  // Per starting place 1..8 (element 0 unused).
  using PlaceArray = std::array<Integer, kMaxEntries + 1>;

  // Opens the heat manager on the meeting's current heat and builds the line-up with the first
  // place selected. Averages are shown with `decimalPoint`.
  explicit HeatManagerModel(Meeting& m, char decimalPoint = '.');

  // During the start procedure, for one rider, rather than before the start.
  bool IncidentMode() const { return incidentPlace_ != 0; }
  // Scratch racing before the start: the player chooses starters and handicaps.
  bool ChoosesStarters() const;
  // Reserves, tactical substitutes and rider replacement as options rather than one list.
  bool ShowsKindOptions() const;
  bool OffersTacticalSubstitutes() const;
  bool OffersRiderReplacement() const;

  // The window's title.
  const std::string& Title() const { return title_; }
  const std::vector<LineupEntry>& Lineup() const { return lineup_; }
  int Starters() const { return starters_; }
  int SelectedPlace() const { return selSlot_; }
  int Kind() const { return subKind_; }

  // Captions of the candidate frame, of the list's label and of the first kind option.
  const std::string& FrameCaption() const { return frameCaption_; }
  const std::string& ListCaption() const { return listCaption_; }
  const std::string& ReservesOptionCaption() const { return reservesOptionCaption_; }

  // The candidates for the selected place, or the message shown instead of them (when the
  // message is not empty the list is hidden and nobody can be chosen).
  const std::vector<Candidate>& Candidates() const { return candidates_; }
  const std::string& Info() const { return info_; }
  // Why Reset or Start Race is not offered, shown on the information line beside the list
  // (empty when both are).
  const std::string& Note() const { return note_; }

  bool ResetEnabled() const { return resetEnabled_; }
  // Start Race: never for a line-up holding a rider in two places, nor in scratch racing with
  // fewer than two riders to start. During the start it is always offered: the player has to
  // decide.
  bool StartEnabled() const { return startEnabled_; }
  bool WithdrawEnabled() const { return withdrawEnabled_; }
  bool HandicapEnabled() const { return handicapEnabled_; }
  // The selected place's handicap as the handicap box shows it (empty for none).
  const std::string& HandicapText() const { return handicapText_; }

  // The per-place state (places 1..8).
  Integer SlotRider(int place) const { return At(slotRider_, place); }
  Integer SlotTeam(int place) const { return At(slotTeam_, place); }
  Integer SlotDistance(int place) const { return At(slotDistance_, place); }
  Integer SlotReplaced(int place) const { return At(slotReplaced_, place); }
  Integer SlotSubKind(int place) const { return At(slotSubKind_, place); }
  Integer SlotWithdrawn(int place) const { return At(slotWithdrawn_, place); }

  // The player's actions. Each is ignored when the window would not allow it.
  void SetStarters(int starters);  // 2..8; rebuilds the line-up, dropping every change
  void SelectPlace(int place);     // a place of the line-up list
  void SelectKind(int kind);       // an offered SubstituteKind
  // Puts a rider of the candidate list into the selected place.
  void ApplySubstitute(int rider);
  void Reset();
  void Withdraw();
  // The handicap box's text (scratch racing): metres for the selected place.
  void SetHandicap(std::string_view text);

  // "&Start Race": writes the line-up back and lets the heat go on (MeetingState 1). Refused
  // (false, nothing written) when Start Race is not offered.
  bool Start();
  // "Cancel" before the start: the meeting stops at this heat (MeetingState 2). A rider's
  // incident during the start cannot be cancelled; false then.
  bool Cancel();

  // Rebuilds the candidate list, the message and the buttons for the selected place and kind.
  void UpdateSubList();
  // The team tag and the place's state after a rider's name in the line-up list.
  void AppendInfo(int place, std::string& text, int team) const;
  // A rider's name with his average, as the candidate list shows him.
  std::string RiderLabel(int rider) const;

 private:
  // Reserve and rider-replacement positions of the selected place's team.
  struct TeamPositions {
    int reserves = 0;  // R
    int extra = 0;     // E
  };

  static Integer At(const PlaceArray& array, int place) {
    return place >= 1 && place <= kMaxEntries ? array[static_cast<std::size_t>(place)] : 0;
  }

  void BuildLineup();
  void ShowLineupEntry(int place);
  TeamPositions PositionsOf(int team) const;
  int RiderAtPosition(int team, int position) const;
  bool InHeat(int rider) const;
  bool Listed(int rider) const;
  bool MayStandIn(int rider) const;  // rides left under the reserves' limit
  void Offer(int rider);
  void Offer(int rider, std::string text);
  void ListCandidates(const TeamPositions& positions);
  void ListReserves(const TeamPositions& positions);
  void ListNominatedRiders(const TeamPositions& positions);
  std::string Message() const;
  void UpdateButtons();
  bool IsNominatedPlace(int place) const;
  bool PlayerPlace(int place) const;
  int StartingRider(int place) const;
  int OtherPlaceOf(int rider, int place) const;
  int RiderTwiceInLineup() const;
  int ResetRider(int place) const;
  bool IsPlace(int place) const;
  void StartAfterIncident();
  void StartLineup();

  Meeting& m_;
  char decimalPoint_;
  int incidentPlace_ = 0;  // SlotCursor when opened during the start

  int selSlot_ = 1;
  int subKind_ = kReserves;
  int starters_ = 0;
  PlaceArray slotRider_{};
  PlaceArray slotTeam_{};
  PlaceArray slotDistance_{};
  PlaceArray slotReplaced_{};
  PlaceArray slotSubKind_{};
  PlaceArray slotWithdrawn_{};

  std::string title_;
  std::vector<LineupEntry> lineup_;
  std::string frameCaption_ = "Reserves";
  std::string listCaption_ = "Reserves:";
  std::string reservesOptionCaption_ = "Reserves";
  std::vector<Candidate> candidates_;
  std::string info_;
  bool resetEnabled_ = false;
  bool startEnabled_ = true;
  std::string note_;
  bool withdrawEnabled_ = false;
  bool handicapEnabled_ = false;
  std::string handicapText_;
};

}  // namespace corvane
