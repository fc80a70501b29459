// The start-up command line: the text after the program's path, its arguments, and the
// switches "/w=", "/x=" and "/y=" with their effects.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Arguments of a command-line text, in order. Cut at every single blank (empty pieces stay);
// a piece that opens with a double quote joins the following pieces up to the first one that
// closes it, and the enclosing quotes are removed. An unclosed quote runs to the end and keeps
// its opening quote. An empty text has no arguments.
std::vector<std::wstring> SplitCommandLine(std::wstring_view text);

// What follows the program's own path (quoted or not) in the process's command line, with the
// blanks after the path skipped.
std::wstring ArgumentText(std::wstring_view processCommandLine);

enum class StartupSwitch { None, Window, Left, Top };

struct SwitchMatch {
  StartupSwitch kind = StartupSwitch::None;
  std::wstring_view value;   // the argument from its fourth character on
};

// An argument is a switch when its first three characters, in any letter case, are "/w=",
// "/x=" or "/y=".
SwitchMatch MatchSwitch(std::wstring_view argument);

// What the switches among the arguments ask for; values that are not numeric are left out.
struct StartupArguments {
  // Each numeric "/w=" in order, as the 32-bit handle value it names ("/w=" accepts
  // -2^31 .. 2^32-1; 4294967295 and -1 are the same handle).
  std::vector<int32_t> windows;
  // |value + 1| of the last numeric "/x=" and "/y="; a value whose successor leaves the signed
  // 32-bit range is ignored.
  std::optional<int32_t> toolbarLeft;
  std::optional<int32_t> toolbarTop;
};

StartupArguments ReadStartupArguments(const std::vector<std::wstring>& arguments);
