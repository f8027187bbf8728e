// The game's texts must stand exactly as written: the lesson's line breaks,
// trailing spaces and empty line are part of what the player reads.
#include "controls/texts.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Counts characters, not bytes: every byte that does not continue a UTF-8
// sequence starts a character.
std::size_t CountCharacters(std::string_view text) {
  std::size_t count = 0;
  for (const char byte : text) {
    if ((static_cast<unsigned char>(byte) & 0xC0U) != 0x80U) ++count;
  }
  return count;
}

// Splits at CR LF; a text that ends with CR LF yields no empty last line.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find("\r\n"); end != std::string_view::npos;
       end = text.find("\r\n", start)) {
    lines.emplace_back(text.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
  return lines;
}

bool EndsWithSpace(const std::string& line) { return !line.empty() && line.back() == ' '; }

TEST(Texts, LessonIs377CharactersCountingEachLineBreakAsTwo) {
  EXPECT_EQ(CountCharacters(texts::kLesson), 377U);
}

TEST(Texts, LessonHasTenLinesWithTheEmptySeventhAndItsTrailingSpaces) {
  const std::vector<std::string> lines = Lines(texts::kLesson);
  ASSERT_EQ(lines.size(), 10U);
  EXPECT_TRUE(lines[6].empty());
  const std::vector<bool> trailing_space = {true,  false, true, true, true,
                                            false, false, true, true, true};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(EndsWithSpace(lines[i]), trailing_space[i]) << "line " << i + 1;
  }
  EXPECT_EQ(lines[3], "водещият отвари 5 празни врати шансът Ви нарастна до 1/3. ");
  EXPECT_EQ(lines[9], "било. ");
}

TEST(Texts, IntroductionHasElevenLinesAndOnlyTheFirstEndsWithASpace) {
  const std::vector<std::string> lines = Lines(texts::kIntroduction);
  ASSERT_EQ(lines.size(), 11U);
  EXPECT_EQ(lines[0], "Опортюнист е синоним на приспособленец, безпринципен човек. ");
  EXPECT_EQ(lines[4], "Тема на проекта: Зимарела.");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_FALSE(lines[i].empty()) << "line " << i + 1;
    EXPECT_FALSE(EndsWithSpace(lines[i])) << "line " << i + 1;
  }
}

TEST(Texts, NoBareLineFeedOrCarriageReturnAnywhere) {
  for (const std::string_view text :
       {texts::kLesson, texts::kIntroduction, texts::kSponsorNotice}) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r') {
        ASSERT_LT(i + 1, text.size());
        EXPECT_EQ(text[i + 1], '\n');
      }
      if (text[i] == '\n') {
        ASSERT_GT(i, 0U);
        EXPECT_EQ(text[i - 1], '\r');
      }
    }
  }
  EXPECT_EQ(texts::kSponsorNotice.find('\n'), std::string_view::npos);
}

}  // namespace
