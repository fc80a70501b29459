// SplitCommandLine, ArgumentText and the switch rules take any text without failing, and
// keep what the arguments are made of.
#include <algorithm>
#include <string>

#include "FuzzText.h"
#include "app/logic/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = FuzzText(data, size);

  const auto arguments = SplitCommandLine(text);
  const size_t blanks = std::count(text.begin(), text.end(), L' ');
  FUZZ_CHECK(text.empty() ? arguments.empty() : arguments.size() <= blanks + 1);

  // Each argument gives back its text: joined with single blanks they are the whole text,
  // less exactly two quotes for every argument that had its enclosing pair removed.
  size_t joined = arguments.empty() ? 0 : arguments.size() - 1;
  for (const auto& a : arguments) joined += a.size();
  FUZZ_CHECK(joined <= text.size() && (text.size() - joined) % 2 == 0);
  if (text.find(L'"') == std::wstring::npos) {
    std::wstring back;
    for (size_t i = 0; i < arguments.size(); ++i) back += (i ? L" " : L"") + arguments[i];
    FUZZ_CHECK(back == text);
  }

  const StartupArguments startup = ReadStartupArguments(arguments);
  FUZZ_CHECK(!startup.toolbarLeft || *startup.toolbarLeft >= 0);
  FUZZ_CHECK(!startup.toolbarTop || *startup.toolbarTop >= 0);
  FUZZ_CHECK(startup.windows.size() <= arguments.size());

  const std::wstring rest = ArgumentText(text);
  FUZZ_CHECK(rest.size() <= text.size());
  FUZZ_CHECK(text.compare(text.size() - rest.size(), rest.size(), rest) == 0);
  FUZZ_CHECK(rest.empty() || (rest.front() != L' ' && rest.front() != L'\t'));
  return 0;
}
