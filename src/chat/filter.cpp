// FiltChat: the fixed word filter of received lines.
#include <array>
#include <string>
#include <string_view>

#include "chat/chat.h"

namespace chat {

namespace {

// Political names and terms, Chinese profanities, English profanities. An entry that holds
// another comes before it, so the longer one goes whole. Matching is exact, letter case too.
constexpr std::array<std::string_view, 15> kFiltered{"法轮功", "法轮",   "台独", "藏独", "疆独",  //
                                                     "操你妈", "他妈的", "他妈", "妈的", "傻逼",
                                                     "王八蛋", "狗日的", "贱人",  //
                                                     "fuck",   "shit"};

// Removes every occurrence; true when something went.
bool RemoveAll(std::string& s, std::string_view word) {
  bool removed = false;
  for (auto at = s.find(word); at != std::string::npos; at = s.find(word, at)) {
    s.erase(at, word.size());
    removed = true;
  }
  return removed;
}

}  // namespace

std::string FiltChat(std::string_view text) {
  std::string s(text);
  // Removing a word can join its neighbours into another ("傻傻逼逼"): filter until nothing
  // is left to remove.
  for (bool again = true; again;) {
    again = false;
    for (std::string_view word : kFiltered) again = RemoveAll(s, word) || again;
  }
  return s;
}

}  // namespace chat
