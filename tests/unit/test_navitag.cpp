#include <gtest/gtest.h>

#include <iterator>

#include "RowState.h"
#include "dialogs/logic/NaviTag.h"

namespace {

// Both dialogs as they open: combos at their first items, LABEL and DEST ticked. The one
// state serves both tables (each takes its own rows).
TagState Initial(const TagForm& form) {
  return State(form, {{L"TYPE", true, L"ACCEPT"}, {L"TASK", false, L"GO"},
                      {L"LABEL", true, L"OK"}, {L"DEST", true, L""}, {L"CLEAR", false, L"True"},
                      {L"FRIEND", false, L"True"}, {L"POSTMETHOD", false, L"GET"}});
}

// Every box ticked, each row holding a value of its own, so that a row written from the wrong
// control shows.
TagState Distinct(const TagForm& form) {
  TagState s = TickAll(form, Initial(form), true);
  const std::pair<const wchar_t*, const wchar_t*> values[] = {
      {L"TYPE", L"SOFT1"}, {L"TASK", L"GOSUB"}, {L"LABEL", L"lbl"}, {L"DEST", L"#dst"}, {L"VARS", L"v=1"},
      {L"NEXT", L"#nxt"}, {L"RECEIVE", L"r"}, {L"CANCEL", L"#cnc"}, {L"CLEAR", L"False"}, {L"SENDREFERER", L"sr"},
      {L"FRIEND", L"False"}, {L"RETVALS", L"rv"}, {L"POSTMETHOD", L"POST"}, {L"POSTDATA", L"pd"},
      {L"NUMBER", L"0123"}, {L"ACCEPTCHARSET", L"cs"}, {L"ICON", L"ic"}, {L"SRC", L"sc"}};
  for (const auto& [name, value] : values)
    if (const size_t i = RowIndex(form, name); i < s.rows.size()) s.rows[i].value = value;
  return s;
}

RowValue& Row(const TagForm& form, TagState& s, std::wstring_view name) { return s.rows[RowIndex(form, name)]; }

}  // namespace

TEST(NaviTag, LinkWritesItsRowsInItsOwnOrder) {
  const TagForm& a = kNaviAForm;
  TagState typed = Initial(a);
  Row(a, typed, L"TASK") = {true, L"gosub"};   // not one of the list's items: written as typed
  Row(a, typed, L"LABEL").value = L" a\"b>c ";
  Row(a, typed, L"REL").ticked = true;
  TagState emptyTask = Initial(a);
  Row(a, emptyTask, L"TASK") = {true, L""};
  Row(a, emptyTask, L"LABEL").ticked = false;
  TagState task = Initial(a);
  Row(a, task, L"TASK").ticked = true;

  const struct { const char* what; TagState state; const wchar_t* tag; } cases[] = {
      {"initial", Initial(a), LR"(<A  LABEL="OK" DEST="">)"},
      {"none ticked", TickAll(a, Initial(a), false), L"<A >"},
      {"task", task, LR"(<A  TASK="GO" LABEL="OK" DEST="">)"},
      {"every box at its initial value", TickAll(a, Initial(a), true),
       LR"(<A  TASK="GO" REL="NEXT" LABEL="OK" DEST="" VARS="" NEXT="" RECEIVE="" CANCEL="" CLEAR="True" )"
       LR"(SENDREFERER="" FRIEND="True" RETVALS="" POSTMETHOD="GET" POSTDATA="" NUMBER="" ACCEPTCHARSET="">)"},
      {"every box, each its own value", Distinct(a),
       LR"(<A  TASK="GOSUB" REL="NEXT" LABEL="lbl" DEST="#dst" VARS="v=1" NEXT="#nxt" RECEIVE="r" CANCEL="#cnc" )"
       LR"(CLEAR="False" SENDREFERER="sr" FRIEND="False" RETVALS="rv" POSTMETHOD="POST" POSTDATA="pd" )"
       LR"(NUMBER="0123" ACCEPTCHARSET="cs">)"},
      {"values as typed", typed, LR"(<A  TASK="gosub" REL="NEXT" LABEL=" a"b>c " DEST="">)"},
      {"empty task", emptyTask, LR"(<A  TASK="" DEST="">)"},
      // The action's own rows and the action's tick-less TYPE never reach an A.
      {"action's rows", State(a, {{L"TYPE", true, L"SOFT1"}, {L"ICON", true, L"i"}, {L"SRC", true, L"s"},
                                  {L"LABEL", true, L"OK"}, {L"DEST", true, L""}}),
       LR"(<A  LABEL="OK" DEST="">)"},
  };
  for (const auto& c : cases) EXPECT_EQ(TagFromRows(a, c.state), c.tag) << c.what;
}

TEST(NaviTag, ActionAlwaysWritesTypeAndTaskThenItsRowsInItsOwnOrder) {
  const TagForm& action = kNaviActionForm;
  TagState typed = Initial(action);
  Row(action, typed, L"TYPE").value = L"";
  Row(action, typed, L"TASK").value = L"";   // no tick of its own: the action writes TASK regardless
  Row(action, typed, L"DEST").value = L"#カード";
  TagState soft1 = Initial(action);
  Row(action, soft1, L"TYPE").value = L"SOFT1";
  TagState picture = TickAll(action, Initial(action), false);
  Row(action, picture, L"SRC").ticked = Row(action, picture, L"ICON").ticked = true;
  Row(action, picture, L"NUMBER") = {true, L"117"};

  const struct { const char* what; TagState state; const wchar_t* tag; } cases[] = {
      {"initial", Initial(action), LR"(<ACTION TYPE="ACCEPT" TASK="GO" DEST="" LABEL="OK">)"},
      {"none ticked", TickAll(action, Initial(action), false), LR"(<ACTION TYPE="ACCEPT" TASK="GO">)"},
      {"soft1", soft1, LR"(<ACTION TYPE="SOFT1" TASK="GO" DEST="" LABEL="OK">)"},
      {"every box at its initial value", TickAll(action, Initial(action), true),
       LR"(<ACTION TYPE="ACCEPT" TASK="GO" REL="NEXT" DEST="" LABEL="OK" VARS="" NEXT="" RECEIVE="" CANCEL="" )"
       LR"(CLEAR="True" SENDREFERER="" FRIEND="True" RETVALS="" POSTMETHOD="GET" POSTDATA="" NUMBER="" )"
       LR"(ACCEPTCHARSET="" ICON="" SRC="">)"},
      {"every box, each its own value", Distinct(action),
       LR"(<ACTION TYPE="SOFT1" TASK="GOSUB" REL="NEXT" DEST="#dst" LABEL="lbl" VARS="v=1" NEXT="#nxt" )"
       LR"(RECEIVE="r" CANCEL="#cnc" CLEAR="False" SENDREFERER="sr" FRIEND="False" RETVALS="rv" )"
       LR"(POSTMETHOD="POST" POSTDATA="pd" NUMBER="0123" ACCEPTCHARSET="cs" ICON="ic" SRC="sc">)"},
      {"empty type and task", typed, LR"(<ACTION TYPE="" TASK="" DEST="#カード" LABEL="OK">)"},
      {"icon before src, last", picture, LR"(<ACTION TYPE="ACCEPT" TASK="GO" NUMBER="117" ICON="" SRC="">)"},
  };
  for (const auto& c : cases) EXPECT_EQ(TagFromRows(action, c.state), c.tag) << c.what;
}
