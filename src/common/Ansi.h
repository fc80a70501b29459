// UTF-16 <-> ANSI (the system code page, cp932 on the systems we target), by Windows' own
// conversion. TeraPad speaks only ANSI; everything inside this program is UTF-16.
#pragma once
#include <string>
#include <string_view>

std::string ToAnsi(std::wstring_view s);
std::wstring FromAnsi(std::string_view s);
