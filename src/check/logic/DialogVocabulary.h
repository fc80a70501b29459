// What Tolvane's own dialogs write, read from the dialogs' own row tables: the attributes that
// each element can get. The one place where the checker meets the dialogs, so that a change there
// needs a change here only.
#pragma once
#include <string>
#include <vector>

namespace HdmlCheck {

struct DialogVocabulary {
  // Attribute names as written (upper case), per element written by a dialog. The card dialog
  // writes the same attributes whichever card kind is chosen.
  std::vector<std::string> deck, card, ce, img, link, action;
};

const DialogVocabulary& DialogTags();

}  // namespace HdmlCheck
