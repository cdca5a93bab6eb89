// What the reader of a competition file did with the lines it was given, for authors checking
// their file: every line it ignored and every value it refused or repaired. A meeting reads
// its file without notes; the notes never change what is read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct CompetitionNote {
  int programmeLine = 0;  // index in ProgrammeLines; 0 for the file as a whole
  std::string message;    // Windows-1252, as the engine's texts
};

struct CompetitionNotes {
  std::vector<int> fileLine{0};  // the file's line number of each kept line, [0] unused
  std::vector<CompetitionNote> notes;

  void Add(int programmeLine, std::string message) {
    notes.push_back(CompetitionNote{programmeLine, std::move(message)});
  }
};

// ", did you mean X?" for the keyword or command word nearest a misspelt upper-case word, when
// one is within two edits; empty otherwise.
std::string DidYouMean(std::string_view word);

}  // namespace corvane
