#pragma once
// Sorting a position's concealed tiles and redrawing them.
class Client;

namespace table {

void SortHand(Client& c, int pos, int count);
void SortHandWildFirst(Client& c, int pos, int count);
// The sort every handler uses after changing a hand.
void HandSort(Client& c, int pos);

}  // namespace table
