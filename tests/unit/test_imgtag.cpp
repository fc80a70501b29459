#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RowState.h"
#include "dialogs/logic/ImgTag.h"

TEST(ImgTag, SourceAlwaysThenTheTickedAttributesInTheirFixedOrder) {
  const TagState all = State(kImgForm, {{L"SRC", true, L"C:\\画像\\logo.bmp"}, {L"ALT", true, L"ロゴ"}, {L"ICON", true, L"star"}});
  TagState iconOnly = all;
  iconOnly.rows[RowIndex(kImgForm, L"ALT")].ticked = false;

  const struct { const char* what; TagState state; const wchar_t* tag; } cases[] = {
      {"initial", State(kImgForm, {}), LR"(<IMG SRC="">)"},
      {"every box ticked", all, LR"(<IMG SRC="C:\画像\logo.bmp" ALT="ロゴ" ICON="star">)"},
      {"ticked with empty values", TickAll(kImgForm, State(kImgForm, {}), true), LR"(<IMG SRC="" ALT="" ICON="">)"},
      {"unticked, values kept out", TickAll(kImgForm, all, false), LR"(<IMG SRC="C:\画像\logo.bmp">)"},
      {"icon without alt", iconOnly, LR"(<IMG SRC="C:\画像\logo.bmp" ICON="star">)"},
      {"values as typed", State(kImgForm, {{L"SRC", true, L" a\"b<>&c "}, {L"ALT", true, L"\""}}),
       LR"(<IMG SRC=" a"b<>&c " ALT=""">)"},
  };
  for (const auto& c : cases) EXPECT_EQ(TagFromRows(kImgForm, c.state), c.tag) << c.what;
  EXPECT_EQ(std::wstring(kImgEndTag), L"");
}

namespace {
// The strings of a double-NUL-ended list, as the file dialog walks it.
std::vector<std::wstring> Walk(const std::wstring& list) {
  std::vector<std::wstring> parts;
  for (const wchar_t* p = list.c_str(); *p; p += parts.back().size() + 1) parts.emplace_back(p);
  return parts;
}
}  // namespace

TEST(ImgTag, BrowseFilterOffersTheTwoTypesInOrder) {
  const std::wstring list = OpenFileFilter(kImgBrowseFilter);
  EXPECT_EQ(Walk(list), (std::vector<std::wstring>{L"白黒ビットマップ(*.bmp)", L"*.bmp",
                                                    L"Portable Network Graphics(*.PNG)", L"*.PNG"}));
  ASSERT_GE(list.size(), 2u);
  EXPECT_EQ(list.substr(list.size() - 2), std::wstring(2, L'\0')) << "the list ends with two NULs";
  EXPECT_EQ(list.size(), kImgBrowseFilter.size() + 2);
  EXPECT_EQ(OpenFileFilter(L""), std::wstring(2, L'\0')) << "an empty filter is an empty list";
}
