#include "check/logic/DialogVocabulary.h"

#include <string_view>

#include "dialogs/logic/CETag.h"
#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/ImgTag.h"
#include "dialogs/logic/NaviTag.h"

namespace HdmlCheck {
namespace {

// The attribute names of a start tag as the dialogs build it: `<NAME A="..." B="...">`, values
// empty or fixed, so no quote or blank inside them.
std::vector<std::string> Names(std::wstring_view tag) {
  std::vector<std::string> names;
  size_t at = tag.find(L' ');
  while (at != std::wstring_view::npos) {
    const size_t from = tag.find_first_not_of(L' ', at);
    const size_t eq = tag.find(L'=', from);
    if (from == std::wstring_view::npos || eq == std::wstring_view::npos) break;
    std::string name;
    for (wchar_t c : tag.substr(from, eq - from)) name += static_cast<char>(c);
    names.push_back(std::move(name));
    const size_t open = tag.find(L'"', eq);
    const size_t close = open == std::wstring_view::npos ? open : tag.find(L'"', open + 1);
    at = close == std::wstring_view::npos ? close : tag.find(L' ', close);
  }
  return names;
}

DialogVocabulary Read() {
  DialogVocabulary v;
  DeckState deck;
  deck.version = deck.ttl = deck.markable = deck.accessDomain = deck.accessPath = true;
  v.deck = Names(BuildDeckTag(deck));

  CardState card;
  card.kind = L"DISPLAY";
  card.markable = card.title = card.key = card.bookMark = card.method = card.defaultValue = card.ikey =
      card.iDefault = true;
  v.card = Names(BuildCardTag(card));

  CEState ce;
  ce.task = ce.label = ce.dest = ce.value = true;
  v.ce = Names(BuildCETag(ce));

  ImgState img;
  img.alt = img.icon = true;
  v.img = Names(BuildImgTag(img));

  // Every row ticked: the rows' own table says which there are.
  NaviState navi;
  for (const auto& rows : {NaviARows(), NaviActionRows()})
    for (const NaviRowDef& def : rows) (navi.*def.row).ticked = true;
  v.link = Names(BuildNaviATag(navi));
  v.action = Names(BuildNaviActionTag(navi));
  return v;
}

}  // namespace

const DialogVocabulary& DialogTags() {
  static const DialogVocabulary vocabulary = Read();
  return vocabulary;
}

}  // namespace HdmlCheck
