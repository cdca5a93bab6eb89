// Characters of riders' names from every language the sport is raced in, and the two file
// encodings they travel in.
#include "engine/records/characters.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/io/text_encoding.h"

namespace corvane {
namespace {

TEST(Characters, CountCutMeasureAndUpperCaseByCharacter) {
  struct Case {
    std::string text, upper;
    std::size_t count;
    int width;
  };
  const Case cases[] = {
      {"Bart\u0142omiej Zmarzlak", "BART\u0141OMIEJ ZMARZLAK", 19, 19},
      {"Szymon Wo\u017Aniak", "SZYMON WO\u0179NIAK", 14, 14},
      {"Ale\u0161 D\u0159ev\u016F", "ALE\u0160 D\u0158EV\u016E", 10, 10},
      {"Nor\u00E1rd Kov\u0151 \u0171", "NOR\u00C1RD KOV\u0150 \u0170", 13, 13},
      {"S\u00F8ren \u00C6rl\u00E5", "S\u00D8REN \u00C6RL\u00C5", 10, 10},
      {"\u0410\u0440\u0442\u0451\u043C \u041B\u0430\u0433\u0443\u0442\u0430",
       "\u0410\u0420\u0422\u0401\u041C \u041B\u0410\u0413\u0423\u0422\u0410", 12, 12},
      {"Stra\u00DFe \u00FF", "STRA\u00DFE \u0178", 8, 8},  // sharp s has no one-letter capital
      {"e\u0301a", "E\u0301A", 3, 2},                      // an accent written apart takes no room
      {"\u4E2D\u6587", "\u4E2D\u6587", 2, 4},              // wide characters take two
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UpperCase(c.text), c.upper) << c.text;
    EXPECT_EQ(CharacterCount(c.text), c.count) << c.text;
    EXPECT_EQ(DisplayWidth(c.text), c.width) << c.text;
  }
  EXPECT_EQ(Left("Pawe\u0142 Przedpe\u0142ski", 5), "Pawe\u0142");
  EXPECT_EQ(Left("Pawe\u0142", 4), "Pawe");
  EXPECT_EQ(Left("Pawe\u0142", 9), "Pawe\u0142");
  EXPECT_EQ(Left("abe\u0301c", 3), "ab");  // the e stays with its accent
  EXPECT_EQ(Left("abe\u0301c", 4), "abe\u0301");
}

TEST(Characters, NoCutEndsInHalfACharacter) {
  const std::string mixed = "\u0141\u00F3d\u017A \u4E2D \U0001F3CD x\u0301\u0416";
  for (std::size_t n = 0; n <= CharacterCount(mixed) + 1; ++n) {
    const std::string cut = Left(mixed, n);
    EXPECT_LE(CharacterCount(cut), n);
    EXPECT_EQ(ValidUtf8(cut), cut) << n;
    EXPECT_TRUE(mixed.starts_with(cut));
  }
}

TEST(Characters, ALetterBeyondAsciiIsSeenWhereverItStands) {
  // The ASCII test reads eight bytes at a time and the last eight again: a wide letter at any
  // place of a name of any length must still be measured as such.
  for (std::size_t size = 1; size <= 20; ++size) {
    const std::string plain(size, 'a');
    EXPECT_EQ(DisplayWidth(plain), static_cast<int>(size));
    for (std::size_t at = 0; at < size; ++at) {
      std::string wide = plain;
      wide.replace(at, 1, "\u4E2D");
      EXPECT_EQ(DisplayWidth(wide), static_cast<int>(size) + 1) << size << " " << at;
    }
  }
}

TEST(TextEncoding, Windows1252RoundTripsByteForByte) {
  std::string every;
  for (int b = 1; b < 256; ++b) every += static_cast<char>(b);
  const std::string text = Cp1252ToUtf8(every);
  EXPECT_EQ(Cp1252Form(text), every);
  EXPECT_EQ(Cp1252ToUtf8("\x80\x9A\xF8"), "\u20AC\u0161\u00F8");
  EXPECT_EQ(FileTextToUtf8("S\xF8nner"), "S\u00F8nner");
  EXPECT_EQ(FileTextToUtf8("\xEF\xBB\xBFS\xC3\xB8nner"), "S\u00F8nner");
  EXPECT_EQ(Cp1252Form("\u0142"), std::nullopt);
  EXPECT_EQ(Cp1252Form("\xC3"), std::nullopt);  // not UTF-8
}

TEST(TextEncoding, FilesAreWrittenInWindows1252WhenEveryCharacterFits) {
  const struct {
    std::string text, bytes;
  } cases[] = {
      {"S\u00F8nner \u20AC", "S\xF8nner \x80"},
      {"Pawe\u0142 S\u00F8nner", "Pawe\u0142 S\u00F8nner"},  // UTF-8 as it is
      {"\u00C3\u00A9", "\u00C3\u00A9"},  // its Windows-1252 bytes would read back as UTF-8
      {"\uFEFFx\u0142", "\xEF\xBB\xBF\uFEFFx\u0142"},
      {"bad \xC3", "bad \uFFFD"},  // a stray byte never reaches a file as it is
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileBytesOf(c.text), c.bytes) << c.text;
  }
  for (const auto& c : cases) EXPECT_EQ(FileTextToUtf8(FileBytesOf(c.text)), ValidUtf8(c.text));
}

}  // namespace
}  // namespace corvane
