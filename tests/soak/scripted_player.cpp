#include "soak/scripted_player.h"

#include <vector>

#include "dialogmodels/heat_manager_model.h"

namespace corvane::testing {
namespace {

// A whole number below `n` (n >= 1).
int Below(Pcg32Random& draws, int n) {
  return static_cast<int>(draws.NextBits() % static_cast<unsigned>(n));
}

bool OneIn(Pcg32Random& draws, int n) {
  return Below(draws, n) == 0;
}

void ChooseKind(HeatManagerModel& model, Pcg32Random& draws) {
  std::vector<int> kinds{kReserves};
  if (model.OffersTacticalSubstitutes()) kinds.push_back(kTacticalSubstitutes);
  if (model.OffersRiderReplacement()) kinds.push_back(kRiderReplacement);
  model.SelectKind(kinds[static_cast<std::size_t>(Below(draws, static_cast<int>(kinds.size())))]);
}

// Puts a rider of the list into the selected place; half the time one the heat had in another
// place before the player took him out, the choice most likely to start a rider twice.
void ApplyACandidate(const Meeting& m, HeatManagerModel& model, Pcg32Random& draws) {
  const auto& candidates = model.Candidates();
  if (candidates.empty()) return;
  if (OneIn(draws, 2)) {
    for (const Candidate& c : candidates) {
      for (const LineupEntry& entry : model.Lineup()) {
        if (entry.place != model.SelectedPlace() &&
            m.HeatGrid[static_cast<std::size_t>(entry.place)][1] == c.rider) {
          return model.ApplySubstitute(c.rider);
        }
      }
    }
  }
  const int pick = Below(draws, static_cast<int>(candidates.size()));
  model.ApplySubstitute(candidates[static_cast<std::size_t>(pick)].rider);
}

// One change to a random place of the line-up.
void ChangeAPlace(const Meeting& m, HeatManagerModel& model, Pcg32Random& draws) {
  const auto& lineup = model.Lineup();
  if (lineup.empty()) return;
  // Mostly a place the player may change: the computer's are only looked at.
  for (int tries = 0; tries < 3; ++tries) {
    const std::size_t pick =
        static_cast<std::size_t>(Below(draws, static_cast<int>(lineup.size())));
    model.SelectPlace(lineup[pick].place);
    if (model.Info() != "The computer is controlling this team.") break;
  }
  ChooseKind(model, draws);
  switch (Below(draws, 7)) {
    case 0:
      model.Withdraw();
      break;
    case 1:
    case 2:
      model.Reset();
      break;
    case 3:
      model.SetHandicap(std::to_string(Below(draws, 4) * 10));
      break;
    default:
      ApplyACandidate(m, model, draws);
      break;
  }
}

// Second thoughts: some places put back as they were.
void ResetSomePlaces(HeatManagerModel& model, Pcg32Random& draws) {
  for (const LineupEntry& entry : std::vector<LineupEntry>(model.Lineup())) {
    if (!OneIn(draws, 2)) continue;
    model.SelectPlace(entry.place);
    model.Reset();
  }
}

// Fills the empty places from the list: scratch racing's, and the nominated places of the
// player's line-ups.
void FillEmptyPlaces(const Meeting& m, HeatManagerModel& model, Pcg32Random& draws) {
  for (const LineupEntry& entry : std::vector<LineupEntry>(model.Lineup())) {
    if (model.SlotRider(entry.place) != 0) continue;
    model.SelectPlace(entry.place);
    model.SelectKind(kReserves);  // the nominated riders, or everybody in scratch racing
    ApplyACandidate(m, model, draws);
  }
}

}  // namespace

std::string PlayHeat(Meeting& m, Pcg32Random& draws) {
  HeatManagerModel model(m);
  if (!model.IncidentMode() && OneIn(draws, 12)) {
    model.Cancel();
    return {};
  }
  if (model.ChoosesStarters() && OneIn(draws, 2)) model.SetStarters(2 + Below(draws, 7));
  if (model.IncidentMode()) {
    if (OneIn(draws, 2)) ChangeAPlace(m, model, draws);
  } else {
    // Changes, the empty places filled (scratch racing, nominated places) and changes again.
    for (int k = Below(draws, 5); k > 0; --k) ChangeAPlace(m, model, draws);
    if (model.ChoosesStarters() || !OneIn(draws, 4)) FillEmptyPlaces(m, model, draws);
    for (int k = Below(draws, 4); k > 0; --k) ChangeAPlace(m, model, draws);
    if (OneIn(draws, 2)) ResetSomePlaces(model, draws);
  }
  if (model.Start()) return {};
  // Start Race is not offered: the note says why. Only scratch racing short of riders may be
  // refused; anything else is a way the window left open to a rider in two places.
  const std::string why = model.Note();
  model.Cancel();
  if (why == "Place at least two riders to start the race.") return {};
  return "Start Race refused: " + why;
}

}  // namespace corvane::testing
