// The HDML checker: reads a deck as the editor holds it (cp932 bytes) and lists what the phone's
// gateway would refuse (errors) or ignore and show wrong (warnings). Positions are the editor's:
// byte offsets from 0, lines from 1 (a line ends at CR LF), columns from 1 in characters (a
// double-byte character is one). The dialect is the phones' 3.x one as au/EZweb sites served it
// (lower case, unquoted values, query strings), and every attribute that Tolvane's own dialogs
// write is known. Linear in the text; any bytes at all are accepted.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace HdmlCheck {

enum class Severity { Error, Warning };

struct Problem {
  size_t begin = 0, end = 0;   // the offending bytes, [begin, end)
  long line = 1, column = 1;   // of begin
  Severity severity = Severity::Error;
  std::string_view rule;       // short id, e.g. "end-missing"
  std::wstring message;        // Japanese, one sentence
};

// Every problem of the text, in the order of the text (by begin).
std::vector<Problem> Check(std::string_view bytes);

// "エラー" or "注意".
std::wstring_view SeverityText(Severity s);

}  // namespace HdmlCheck
