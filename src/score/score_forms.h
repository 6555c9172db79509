#pragma once
// The result windows: Score (one hand, a column per seat), Hero (the history, a row per hand)
// and Information (the card of the player under the mouse). Each is a form of the control model;
// the host only paints them and hands their input to the procedures in score.h.
#include "platform/controls.h"

namespace score {

class ScoreFormT : public platform::Form {
 public:
  ScoreFormT();

  platform::Control& Title;
  platform::ControlArray State;   // 0..3 the detail column of each position, 4..7 its final line
  platform::ControlArray Tou;     // 0..3 avatars
  platform::ControlArray ID;      // 0..3 names
  platform::ControlArray Image1;  // 1 the close button
};

class HeroFormT : public platform::Form {
 public:
  HeroFormT();

  platform::Control& Label1;  // title
  platform::Control& NumHead;
  platform::Control& SumHead;
  platform::Control& Num;           // hand numbers, one row per hand
  platform::ControlArray Grade;     // 0..3 hand score of each position, one row per hand
  platform::ControlArray sumScore;  // 0..3 running totals
  platform::ControlArray Tou;       // 0..3 avatars above the columns
  platform::ControlArray ID;        // 0..3 names above the columns
  platform::ControlArray Image1;    // 1 the close button
};

class InformationFormT : public platform::Form {
 public:
  InformationFormT();

  platform::ControlArray Caption;  // 0..8 what each line is
  platform::ControlArray Inf;      // 0..8 the player's fields
};

}  // namespace score
