#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/logic/ImgTag.h"

TEST(ImgTag, SourceAlwaysThenTheTickedAttributesInTheirFixedOrder) {
  ImgState all;
  all.srcText = L"C:\\画像\\logo.bmp";
  all.alt = all.icon = true;
  all.altText = L"ロゴ";
  all.iconText = L"star";
  ImgState empties;
  empties.alt = empties.icon = true;
  ImgState unticked = all;   // values stay in their boxes, out of the tag
  unticked.alt = unticked.icon = false;
  ImgState iconOnly = all;
  iconOnly.alt = false;
  ImgState raw;
  raw.srcText = L" a\"b<>&c ";
  raw.alt = true;
  raw.altText = L"\"";

  const struct { const char* what; ImgState state; const wchar_t* tag; } cases[] = {
      {"initial", ImgState{}, LR"(<IMG SRC="">)"},
      {"every box ticked", all, LR"(<IMG SRC="C:\画像\logo.bmp" ALT="ロゴ" ICON="star">)"},
      {"ticked with empty values", empties, LR"(<IMG SRC="" ALT="" ICON="">)"},
      {"unticked, values kept out", unticked, LR"(<IMG SRC="C:\画像\logo.bmp">)"},
      {"icon without alt", iconOnly, LR"(<IMG SRC="C:\画像\logo.bmp" ICON="star">)"},
      {"values as typed", raw, LR"(<IMG SRC=" a"b<>&c " ALT=""">)"},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildImgTag(c.state), c.tag) << c.what;
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
