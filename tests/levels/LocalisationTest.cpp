#include "levels/Localisation.h"

#include <gtest/gtest.h>

#include <string>

#include "levels/TextEncoding.h"
#include "support/Capture.h"

namespace Framework {
namespace {

const std::string kMissing = "Can not translate, given fraze not in the dictionary\n";

class LocalisationTest : public ::testing::Test {
 protected:
  void SetUp() override { Localisation::Instance().Language = 0; }
  void TearDown() override { Localisation::Instance().Language = 0; }
};

// English returns the phrase, Russian its translation, any other language English;
// the generated level entries cover levels one to eight only.
TEST_F(LocalisationTest, TranslatesByLanguageWithLevelEntriesForOneToEight) {
  Localisation& loc = Localisation::Instance();
  const struct {
    int language;
    std::u16string phrase, expected;
  } cases[] = {
      {0, u"Checkpoint reached", u"Checkpoint reached"}, {1, u"Checkpoint reached", u"Игра сохранена"},
      {1, u"SELECT LEVEL", u"ВЫБОР УРОВНЯ"},             {7, u"NEW GAME", u"NEW GAME"},
      {-1, u"NEW GAME", u"NEW GAME"},                    {1, u"LEVEL 1", u"УРОВЕНЬ 1"},
      {1, u"LEVEL 8", u"УРОВЕНЬ 8"},                     {1, u"Level 3 out of 8", u"Уровень 3 из 8"},
      {1, u"Level 8 out of 8", u"Уровень 8 из 8"},
  };
  for (const auto& c : cases) {
    loc.Language = c.language;
    EXPECT_EQ(loc.Translate(c.phrase), c.expected) << c.language << " " << Utf16ToUtf8(c.phrase);
  }
  // A missing phrase is reported once, however often it is asked for.
  loc.Language = 1;
  EXPECT_EQ(StdoutOf([&] {
              for (int frame = 0; frame < 60; ++frame) EXPECT_EQ(loc.Translate(u"Level 9 out of 8"), u"Level 9 out of 8");
              EXPECT_EQ(loc.Translate(u"LEVEL 0"), u"LEVEL 0");
              loc.Language = 0;
              EXPECT_EQ(loc.Translate(u"LEVEL 0"), u"LEVEL 0");
            }),
            kMissing + kMissing);
}

TEST_F(LocalisationTest, BothDictionariesHoldTheSameKeysAndWithoutEnglishPhrasesComeBackUnchanged) {
  Localisation& loc = Localisation::Instance();
  ASSERT_EQ(loc.Dictionaries.size(), 2u);
  const auto& english = loc.Dictionaries.at(0);
  const auto& russian = loc.Dictionaries.at(1);
  // 35 fixed phrases ("SELECT LEVEL" only once) and 2 generated entries per level.
  EXPECT_EQ(english.size(), 35u + 16u);
  EXPECT_EQ(russian.size(), english.size());
  for (const auto& [key, value] : english) {
    EXPECT_EQ(key, value);
    EXPECT_TRUE(russian.contains(key)) << Utf16ToUtf8(key);
  }
  for (const auto& [key, value] : russian) EXPECT_NE(key, value) << Utf16ToUtf8(key);

  // Without an English dictionary phrases come back unchanged, with one report.
  loc.Dictionaries.erase(0);
  loc.Language = 3;
  EXPECT_EQ(StdoutOf([&] {
              EXPECT_EQ(loc.Translate(u"YES"), u"YES");
              EXPECT_EQ(loc.Translate(u"NO"), u"NO");
            }),
            "English dictionary does not exist\n");
  // Russian is still there for those who ask for it.
  loc.Language = 1;
  EXPECT_EQ(loc.Translate(u"YES"), u"ДА");
}

TEST(TextEncodingTest, RoundTripsCyrillicAndReplacesBrokenSequences) {
  const std::string utf8 = "Уровень 3 из 8";
  EXPECT_EQ(Utf8ToUtf16(utf8), u"Уровень 3 из 8");
  EXPECT_EQ(Utf16ToUtf8(u"Уровень 3 из 8"), utf8);
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");
  // A lead byte cut off at the end, a stray continuation byte, an overlong slash.
  EXPECT_EQ(Utf8ToUtf16("a\xD0"), u"a\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\x80z"), u"\uFFFDz");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD") << "a cut-off sequence: one mark per byte";
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace Framework
