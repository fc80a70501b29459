#include <gtest/gtest.h>

#include <iterator>

#include "dialogs/logic/NaviTag.h"

namespace {

// Both dialogs as they open: combos at their first items, LABEL and DEST ticked.
NaviState Initial() {
  NaviState s;
  s.type.value = L"ACCEPT";
  s.task.value = L"GO";
  s.label = {true, L"OK"};
  s.dest = {true, L""};
  s.clear.value = L"True";
  s.friendly.value = L"True";
  s.postMethod.value = L"GET";
  return s;
}

NaviRow NaviState::*const kRows[] = {
    &NaviState::task, &NaviState::relNext, &NaviState::label, &NaviState::dest, &NaviState::vars,
    &NaviState::next, &NaviState::receive, &NaviState::cancel, &NaviState::clear, &NaviState::sendReferer,
    &NaviState::friendly, &NaviState::retvals, &NaviState::postMethod, &NaviState::postData,
    &NaviState::number, &NaviState::acceptCharset, &NaviState::icon, &NaviState::src,
};

NaviState Ticked(NaviState s, bool ticked) {
  for (auto row : kRows) (s.*row).ticked = ticked;
  return s;
}

// Every box ticked, each row holding a value of its own, so that a row written from the wrong
// control shows.
NaviState Distinct() {
  NaviState s = Ticked(Initial(), true);
  const wchar_t* values[] = {L"GOSUB", L"ignored", L"lbl", L"#dst", L"v=1", L"#nxt", L"r", L"#cnc", L"False",
                             L"sr", L"False", L"rv", L"POST", L"pd", L"0123", L"cs", L"ic", L"sc"};
  for (size_t i = 0; i < std::size(kRows); ++i) (s.*kRows[i]).value = values[i];
  s.type.value = L"SOFT1";
  return s;
}

}  // namespace

TEST(NaviTag, LinkWritesItsRowsInItsOwnOrder) {
  NaviState typed = Initial();
  typed.task = {true, L"gosub"};   // not one of the list's items: written as typed
  typed.label.value = L" a\"b>c ";
  typed.relNext.ticked = true;
  NaviState emptyTask = Initial();
  emptyTask.task = {true, L""};
  emptyTask.label.ticked = false;
  // The action's own rows and the action's tick-less TYPE never reach an A.
  NaviState actionOnly = Initial();
  actionOnly.type = {true, L"SOFT1"};
  actionOnly.icon = {true, L"i"};
  actionOnly.src = {true, L"s"};

  const struct { const char* what; NaviState state; const wchar_t* tag; } cases[] = {
      {"initial", Initial(), LR"(<A  LABEL="OK" DEST="">)"},
      {"none ticked", Ticked(Initial(), false), L"<A >"},
      {"task", [] { NaviState s = Initial(); s.task.ticked = true; return s; }(),
       LR"(<A  TASK="GO" LABEL="OK" DEST="">)"},
      {"every box at its initial value", Ticked(Initial(), true),
       LR"(<A  TASK="GO" REL="NEXT" LABEL="OK" DEST="" VARS="" NEXT="" RECEIVE="" CANCEL="" CLEAR="True" )"
       LR"(SENDREFERER="" FRIEND="True" RETVALS="" POSTMETHOD="GET" POSTDATA="" NUMBER="" ACCEPTCHARSET="">)"},
      {"every box, each its own value", Distinct(),
       LR"(<A  TASK="GOSUB" REL="NEXT" LABEL="lbl" DEST="#dst" VARS="v=1" NEXT="#nxt" RECEIVE="r" CANCEL="#cnc" )"
       LR"(CLEAR="False" SENDREFERER="sr" FRIEND="False" RETVALS="rv" POSTMETHOD="POST" POSTDATA="pd" )"
       LR"(NUMBER="0123" ACCEPTCHARSET="cs">)"},
      {"values as typed", typed, LR"(<A  TASK="gosub" REL="NEXT" LABEL=" a"b>c " DEST="">)"},
      {"empty task", emptyTask, LR"(<A  TASK="" DEST="">)"},
      {"action's rows", actionOnly, LR"(<A  LABEL="OK" DEST="">)"},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildNaviATag(c.state), c.tag) << c.what;
}

TEST(NaviTag, ActionAlwaysWritesTypeAndTaskThenItsRowsInItsOwnOrder) {
  NaviState typed = Initial();
  typed.type = {false, L""};   // no tick of its own either
  typed.task = {false, L""};   // no tick of its own: the action writes TASK regardless
  typed.dest.value = L"#カード";
  NaviState soft1 = Initial();
  soft1.type.value = L"SOFT1";
  NaviState picture = Ticked(Initial(), false);
  picture.src.ticked = picture.icon.ticked = true;
  picture.number = {true, L"117"};

  const struct { const char* what; NaviState state; const wchar_t* tag; } cases[] = {
      {"initial", Initial(), LR"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="" LABEL="OK">)"},
      {"none ticked", Ticked(Initial(), false), LR"(<ACTION TYPE="ACCEPT" TASK="GO">)"},
      {"soft1", soft1, LR"(<ACTION TYPE="SOFT1" TASK="GO" DEST="" LABEL="OK">)"},
      {"every box at its initial value", Ticked(Initial(), true),
       LR"(<ACTION TYPE="ACCEPT" TASK="GO" REL="NEXT" DEST="" LABEL="OK" VARS="" NEXT="" RECEIVE="" CANCEL="" )"
       LR"(CLEAR="True" SENDREFERER="" FRIEND="True" RETVALS="" POSTMETHOD="GET" POSTDATA="" NUMBER="" )"
       LR"(ACCEPTCHARSET="" ICON="" SRC="">)"},
      {"every box, each its own value", Distinct(),
       LR"(<ACTION TYPE="SOFT1" TASK="GOSUB" REL="NEXT" DEST="#dst" LABEL="lbl" VARS="v=1" NEXT="#nxt" )"
       LR"(RECEIVE="r" CANCEL="#cnc" CLEAR="False" SENDREFERER="sr" FRIEND="False" RETVALS="rv" )"
       LR"(POSTMETHOD="POST" POSTDATA="pd" NUMBER="0123" ACCEPTCHARSET="cs" ICON="ic" SRC="sc">)"},
      {"empty type and task", typed, LR"(<ACTION TYPE="" TASK="" DEST="#カード" LABEL="OK">)"},
      {"icon before src, last", picture, LR"(<ACTION TYPE="ACCEPT" TASK="GO" NUMBER="117" ICON="" SRC="">)"},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildNaviActionTag(c.state), c.tag) << c.what;
}
