#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/logic/CommandLine.h"

namespace {

using Args = std::vector<std::wstring>;

TEST(SplitCommandLine, CutsAtEverySingleBlankAndJoinsQuotedPieces) {
  struct Case {
    const wchar_t* text;
    Args expected;
  };
  const Case cases[] = {
      {L"", {}},
      {L"/w=1234 /x=10", {L"/w=1234", L"/x=10"}},
      {L"\"/y=3\"", {L"/y=3"}},
      // Blanks are not merged: every blank ends a piece, empty pieces included.
      {L"a  b", {L"a", L"", L"b"}},
      {L" a", {L"", L"a"}},
      {L"a ", {L"a", L""}},
      {L" ", {L"", L""}},
      {L"a\tb", {L"a\tb"}},
      // Quoted arguments keep their inner blanks exactly.
      {L"\"a b\" c", {L"a b", L"c"}},
      {L"\"a  b\"", {L"a  b"}},
      {L"\"a\" \"b\"", {L"a", L"b"}},
      {L"\"\"", {L""}},
      {L"\" \"", {L" "}},
      {L"\"x \"y\" z", {L"x \"y", L"z"}},
      // The lone opening quote does not close itself; an unclosed quote runs to the end.
      {L"\"", {L"\""}},
      {L"\"a b", {L"\"a b"}},
      {L"x \"a  b ", {L"x", L"\"a  b "}},
      {L"\"a\"b c", {L"\"a\"b c"}},
      // Only a quote at the start of a piece opens an argument.
      {L"a\"b c\"", {L"a\"b", L"c\""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitCommandLine(c.text), c.expected) << "text: " << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(ArgumentText, IsWhatFollowsTheProgramPathWithoutLeadingBlanks) {
  struct Case {
    const wchar_t* commandLine;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"", L""},
      {L"tolvane.exe", L""},
      {L"tolvane.exe    ", L""},
      {L"C:\\Tools\\tolvane.exe /w=1", L"/w=1"},
      {L"tolvane.exe\t/w=1", L"/w=1"},
      {L"\"C:\\Program Files\\tolvane.exe\" /w=1 /x=2", L"/w=1 /x=2"},
      {L"\"C:\\a b\\t.exe\"   /w=1  ", L"/w=1  "},
      {L"\"C:\\a b\\t.exe\"", L""},
      {L"\"C:\\a b\\t.exe\"/w=1", L"/w=1"},
      {L"\"C:\\unclosed /w=1", L""},
      {L"tolvane.exe \"/w=1\"", L"\"/w=1\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ArgumentText(c.commandLine), c.expected) << "command line: " << testing::PrintToString(std::wstring(c.commandLine));
  }
}

TEST(ReadStartupArguments, AppliesTheSwitchesAsTheStartUpDoes) {
  constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
  struct Case {
    const wchar_t* text;
    std::vector<int32_t> windows;
    std::optional<int32_t> left, top;
  };
  const Case cases[] = {
      {L"", {}, {}, {}},
      {L"/x=0", {}, 1, {}},
      {L"/x=5", {}, 6, {}},
      {L"/x=-1", {}, 0, {}},
      {L"/x=-5", {}, 4, {}},
      {L"/X=7", {}, 8, {}},
      {L"/x=abc", {}, {}, {}},
      {L"/x=", {}, {}, {}},
      {L"/x=2.5", {}, 3, {}},
      {L"/x=-2.5", {}, 1, {}},
      {L"/x= 5", {}, {}, {}},
      {L"/y=0", {}, {}, 1},
      {L"\"/y=3\"", {}, {}, 4},
      // Only the first three characters are compared.
      {L"/xy=3", {}, {}, {}},
      {L"//x=3", {}, {}, {}},
      {L"/\uFF58=3", {}, {}, {}},  // full-width x
      // The last numeric occurrence wins; a later non-numeric one changes nothing.
      {L"/x=3 /x=9", {}, 10, {}},
      {L"/x=3 /x=abc", {}, 4, {}},
      {L"/y=1 /y= /y=x", {}, {}, 2},
      // Every numeric "/w=" is kept in order, for the bridge to try in turn.
      {L"/w=1234 /x=10", {1234}, 11, {}},
      {L"/w=abc /W=12 /w=3.5 /w=", {12, 4}, {}, {}},
      {L"/w=12 /x=3 /y=4 junk", {12}, 4, 5},
      // Handles are 32-bit values, written signed or unsigned.
      {L"/w=4294967295", {-1}, {}, {}},
      {L"/w=-1", {-1}, {}, {}},
      {L"/w=2147483648", {kMin32}, {}, {}},
      {L"/w=-2147483648", {kMin32}, {}, {}},
      {L"/w=4294967296", {}, {}, {}},
      {L"/w=-2147483649", {}, {}, {}},
      // A position whose successor leaves the signed 32-bit range is ignored.
      {L"/x=2147483646", {}, kMax32, {}},
      {L"/x=2147483647", {}, {}, {}},
      {L"/x=-2147483648", {}, kMax32, {}},
      {L"/x=-2147483649", {}, {}, {}},
      {L"/y=99999999999999999999999", {}, {}, {}},
  };
  for (const auto& c : cases) {
    const StartupArguments result = ReadStartupArguments(SplitCommandLine(c.text));
    const std::string where = "text: " + testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(result.windows, c.windows) << where;
    EXPECT_EQ(result.toolbarLeft, c.left) << where;
    EXPECT_EQ(result.toolbarTop, c.top) << where;
  }
}

}  // namespace
