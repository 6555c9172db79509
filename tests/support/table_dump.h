#pragma once
// A compact text picture of the table: wall pointers, each position's melds, set-aside piles,
// concealed tiles and discard rows, the last discard, the prompt and the clock. Tiles are
// written as rank and suit letter: b 条, c 万, d 筒, h honours (5h is the red dragon).
#include <string>

class Client;

namespace qtest {

std::string TileText(int code);
// The whole table, one line per item.
std::string DumpTable(const Client& c);
// One line of the dump: "wall", "p0".."p3", "last" or "prompt".
std::string DumpLine(const Client& c, const std::string& key);

}  // namespace qtest
