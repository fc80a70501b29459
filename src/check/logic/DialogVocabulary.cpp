#include "check/logic/DialogVocabulary.h"

#include "dialogs/logic/CETag.h"
#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/ImgTag.h"
#include "dialogs/logic/NaviTag.h"

namespace HdmlCheck {
namespace {

// The attribute names of a dialog's rows (ASCII, upper case).
std::vector<std::string> Names(const TagForm& form) {
  std::vector<std::string> names;
  for (const TagRow& row : form.rows) names.emplace_back(row.name.begin(), row.name.end());
  return names;
}

}  // namespace

const DialogVocabulary& DialogTags() {
  static const DialogVocabulary vocabulary{Names(kDeckForm),       Names(kCardForm), Names(kCEForm),
                                           Names(kImgForm),        Names(kNaviAForm),
                                           Names(kNaviActionForm)};
  return vocabulary;
}

}  // namespace HdmlCheck
