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

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonReaderRejects,
    ::testing::Values(TBroken{"", "line 1, column 1: unexpected end of the text; a value was expected"},
                      TBroken{"{\"a\": 1,\n \"b\" 2}", "line 2, column 6: expected ':' after a member name"},
                      TBroken{"[1, 2", "line 1, column 6: expected ',' or ']' after an array element"},
                      TBroken{"{\"a\": tru}", "line 1, column 7: unexpected character 't'; a value was expected"},
                      TBroken{"\"abc", "line 1, column 5: a string is not closed"},
                      TBroken{"\"a\tb\"", "line 1, column 3: a control character inside a string must be escaped"},
                      TBroken{"\"\\ud800x\"", "line 1, column 8: a high surrogate without a low one"},
                      TBroken{"\"\\q\"", "line 1, column 4: unknown escape \\q"},
                      TBroken{"01", "line 1, column 2: unexpected text after the JSON value"},
                      TBroken{"-", "line 1, column 2: expected a digit in a number"},
                      TBroken{"\"\xC3(\"", "line 1, column 2: bytes that are not UTF-8"},
                      TBroken{"{} {}", "line 1, column 4: unexpected text after the JSON value"}));

TEST(JsonReader, RefusesNestingDeeperThanItsBound) {
  const std::string deep = std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']');
  EXPECT_THROW((void)ParseJson(deep), TJsonError);
  const std::string fine = std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']');
  EXPECT_NO_THROW((void)ParseJson(fine));
}

}  // namespace
}  // namespace korvane::interchange
