#include "app/logic/CommandLine.h"

#include <limits>

#include "common/logic/Numeric.h"

std::vector<std::wstring> SplitCommandLine(std::wstring_view text) {
  std::vector<std::wstring> arguments;
  if (text.empty()) return arguments;

  std::vector<std::wstring_view> pieces;
  for (size_t start = 0;;) {
    const size_t blank = text.find(L' ', start);
    pieces.push_back(text.substr(start, blank == std::wstring_view::npos ? std::wstring_view::npos : blank - start));
    if (blank == std::wstring_view::npos) break;
    start = blank + 1;
  }

  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].empty() || pieces[i].front() != L'"') {
      arguments.emplace_back(pieces[i]);
      continue;
    }
    std::wstring quoted(pieces[i]);
    bool closed = pieces[i].size() > 1 && pieces[i].back() == L'"';
    while (!closed && i + 1 < pieces.size()) {
      ++i;
      quoted += L' ';
      quoted += pieces[i];
      closed = !pieces[i].empty() && pieces[i].back() == L'"';
    }
    if (closed) quoted = quoted.substr(1, quoted.size() - 2);
    arguments.push_back(std::move(quoted));
  }
  return arguments;
}

std::wstring ArgumentText(std::wstring_view processCommandLine) {
  const auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  std::wstring_view rest = processCommandLine;
  // The path ends as the C runtime and CommandLineToArgvW end it: at the closing quote of a
  // quoted path, otherwise at the first blank.
  size_t end;
  if (!rest.empty() && rest.front() == L'"') {
    end = rest.find(L'"', 1);
    end = end == std::wstring_view::npos ? rest.size() : end + 1;
  } else {
    end = 0;
    while (end < rest.size() && !isBlank(rest[end])) ++end;
  }
  rest.remove_prefix(end);
  while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
  return std::wstring(rest);
}

SwitchMatch MatchSwitch(std::wstring_view argument) {
  if (argument.size() < 3 || argument[0] != L'/' || argument[2] != L'=') return {};
  // Lower-casing can turn no other character into 'w', 'x' or 'y', so ASCII folding is exact.
  SwitchMatch match{StartupSwitch::None, argument.substr(3)};
  switch (argument[1]) {
    case L'w': case L'W': match.kind = StartupSwitch::Window; break;
    case L'x': case L'X': match.kind = StartupSwitch::Left; break;
    case L'y': case L'Y': match.kind = StartupSwitch::Top; break;
    default: return {};
  }
  return match;
}

namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kUInt32Max = std::numeric_limits<uint32_t>::max();

std::optional<int32_t> WindowHandleValue(std::wstring_view value) {
  const auto n = Numeric::ReadWhole(value, kInt32Min, kUInt32Max);
  if (!n) return std::nullopt;
  // A handle is 32 bits wide even in 64-bit Windows; TeraPad may write it signed or unsigned.
  return static_cast<int32_t>(static_cast<uint32_t>(*n));
}

std::optional<int32_t> ToolbarPositionValue(std::wstring_view value) {
  const auto n = Numeric::ReadWhole(value, kInt32Min, kInt32Max - 1);
  if (!n) return std::nullopt;
  const int64_t successor = *n + 1;
  return static_cast<int32_t>(successor < 0 ? -successor : successor);
}

}  // namespace

StartupArguments ReadStartupArguments(const std::vector<std::wstring>& arguments) {
  StartupArguments result;
  for (const std::wstring& argument : arguments) {
    const SwitchMatch match = MatchSwitch(argument);
    switch (match.kind) {
      case StartupSwitch::Window:
        if (const auto h = WindowHandleValue(match.value)) result.windows.push_back(*h);
        break;
      case StartupSwitch::Left:
        if (const auto x = ToolbarPositionValue(match.value)) result.toolbarLeft = x;
        break;
      case StartupSwitch::Top:
        if (const auto y = ToolbarPositionValue(match.value)) result.toolbarTop = y;
        break;
      case StartupSwitch::None:
        break;
    }
  }
  return result;
}
