#include "moves.h"

#include <utility>

#include "rules.h"

namespace devserver::proto {

std::optional<Action> MoveOf(const ClientMsg& m, std::uint8_t onOffer) {
  Action a;
  if (m.cmd == kDiscard) {
    a.kind = ActKind::Discard;
    a.tiles[0] = TileOf(m.v[3]);
    a.ting = m.byte16;
    return a;
  }
  switch (m.v[0]) {
    case kOptPass:
      a.kind = ActKind::Pass;
      break;
    case kOptChi:
      a.kind = ActKind::Chi;
      break;
    case kOptPeng:
      a.kind = ActKind::Peng;
      break;
    case kOptGang:
      a.kind = ActKind::Gang;
      break;
    case kOptConcealedGang:
      a.kind = ActKind::ConcealedGang;
      break;
    case kOptSingle:
      a.kind = ActKind::Single;
      break;
    case kOptHu:
      a.kind = ActKind::Hu;
      break;
    default:
      return std::nullopt;
  }
  // A pass may declare ting on the own turn (byte 16, as on a discard).
  a.ting = m.byte16;
  if (a.kind == ActKind::Single) {
    a.tiles[0] = TileOf(m.v[3]);
  } else if (a.kind == ActKind::Chi) {
    // The two hand tiles; the third value repeats the tile claimed.
    a.tiles = {TileOf(m.v[1]), TileOf(m.v[2]), TileOf(m.v[3])};
    if (a.tiles[0] == onOffer && a.tiles[2] != onOffer) std::swap(a.tiles[0], a.tiles[2]);
    if (a.tiles[1] == onOffer && a.tiles[2] != onOffer) std::swap(a.tiles[1], a.tiles[2]);
  } else {
    a.tiles[0] = TileOf(m.v[1]);
  }
  return a;
}

}  // namespace devserver::proto
