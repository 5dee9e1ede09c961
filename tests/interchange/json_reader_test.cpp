// The JSON reader: what it decodes, and where it says a broken text breaks.
#include <gtest/gtest.h>

#include "interchange/json_reader.h"

namespace korvane::interchange {
namespace {

TEST(JsonReader, DecodesEscapesSurrogatesAndKeepsNumbersAsWritten) {
  const TJsonValue v = ParseJson(R"( {"a": "x\"\\\/\n\u00e9\ud83d\ude00", "n": -12.5e3, "t": [true, null, {}]} )");
  ASSERT_TRUE(v.Is(TJsonValue::TKind::Object));
  EXPECT_EQ(v.Find("a")->Text(), "x\"\\/\n\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(v.Find("n")->Text(), "-12.5e3");
  ASSERT_EQ(v.Find("t")->Items().size(), 3u);
  EXPECT_TRUE(v.Find("t")->Items()[1].Is(TJsonValue::TKind::Null));
  EXPECT_EQ(v.Find("missing"), nullptr);
}

struct TBroken {
  const char* Text;
  const char* Message;
};

// What ctest shows of a case.
void PrintTo(const TBroken& c, std::ostream* os) { *os << c.Message; }

class JsonReaderRejects : public ::testing::TestWithParam<TBroken> {};

TEST_P(JsonReaderRejects, NamingLineAndColumn) {
  try {
    (void)ParseJson(GetParam().Text);
    FAIL() << "accepted " << GetParam().Text;
  } catch (const TJsonError& error) {
    EXPECT_STREQ(error.what(), GetParam().Message);
  }
}

// Columns count characters: the "é" before the error is one column, not two bytes.
INSTANTIATE_TEST_SUITE_P(
    Cases, JsonReaderRejects,
    ::testing::Values(
        TBroken{"", "line 1, column 1: unexpected end of input; expected '[', '{', or a literal"},
        TBroken{"{\"a\": 1,\n \"b\" 2}", "line 2, column 6: unexpected number literal; expected ':'"},
        TBroken{"[1, 2", "line 1, column 6: unexpected end of input; expected ']'"},
        TBroken{"[\"\xC3\xA9\", x]", "line 1, column 7: invalid literal; last read: '\"\xC3\xA9\", x'"},
        TBroken{"\"abc", "line 1, column 5: invalid string: missing closing quote; last read: '\"abc'"},
        TBroken{"\"\\ud800x\"",
                "line 1, column 8: invalid string: surrogate U+D800..U+DBFF must be followed by U+DC00..U+DFFF; "
                "last read: '\"\\ud800x'"},
        TBroken{"01", "line 1, column 2: unexpected number literal; expected end of input"},
        // Bytes that are not UTF-8 are shown as Latin-1.
        TBroken{"\"\xC3(\"", "line 1, column 3: invalid string: ill-formed UTF-8 byte; last read: '\"\xC3\x83('"},
        TBroken{"{} {}", "line 1, column 4: unexpected '{'; expected end of input"}));

TEST(JsonReader, PlacesValuesWhereTheyStart) {
  const TJsonValue v = ParseJson("{\"a\":\n  [1 , \"\xC3\xA9\",\n{}],\"b\" :true}");
  const TJsonValue& a = *v.Find("a");
  EXPECT_EQ(std::make_pair(a.Line(), a.Column()), std::make_pair(2, 3));
  EXPECT_EQ(std::make_pair(a.Items()[1].Line(), a.Items()[1].Column()), std::make_pair(2, 8));
  EXPECT_EQ(std::make_pair(a.Items()[2].Line(), a.Items()[2].Column()), std::make_pair(3, 1));
  EXPECT_EQ(std::make_pair(v.Find("b")->Line(), v.Find("b")->Column()), std::make_pair(3, 10));
}

TEST(JsonReader, RefusesNestingDeeperThanItsBound) {
  const std::string deep = std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']');
  EXPECT_THROW((void)ParseJson(deep), TJsonError);
  const std::string fine = std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']');
  EXPECT_NO_THROW((void)ParseJson(fine));
}

}  // namespace
}  // namespace korvane::interchange
