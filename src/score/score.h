#pragma once
// The end of a hand: the seat results and win details, the draw sheet, the fan list, the score
// sheet, the continue countdown, the match records and the result windows' input.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "wire/messages.h"

namespace platform {
class Control;
class Files;
}  // namespace platform

namespace score {

struct Ctx;
struct ScoreState;
class ScoreFormT;
class HeroFormT;
class InformationFormT;

// What a seat result completes.
enum class ResultGroup { Incomplete, Won, Draw };
// A seat's result (command 17): its amount and cap; the fourth tells whether the hand was won
// or drawn.
ResultGroup TakeSeatResult(Ctx& c, const wire::HandResult& m);
// A seat's win detail (command 18); true once all four have arrived.
bool TakeWinDetail(Ctx& c, const wire::WinDetail& m);
// A next hand's start drops a result group cut short (frames lost with a dropped connection).
void DropCutShortGroup(Ctx& c);
// The table's reset forgets a result group half received.
void ForgetResultGroup(ScoreState& s);

// The ready countdown in the Number label, green, red below 6; the ready clock's task counts it.
void StartContinueCountdown(Ctx& c, int seconds);
// The ready clock's second: one second less; true when the countdown has run out.
bool CountReadySecond(Ctx& c);
// The countdown stops and its clock goes (the clock's picture and label are the turn clock's too).
void StopContinueCountdown(Ctx& c);
// The score and history windows are put away.
void HideResultWindows(Ctx& c);

// Empties the eight lists of the score window and puts its columns back to black: a sheet is
// written from nothing, whatever the window showed (an earlier hand, say).
void ClearSheet(ScoreFormT& sheet);
// A won hand's sheet up to each column's final score; the prop lines come next, in the colour
// they choose. wealthAtStart is the wealth multiplier as the hand started ("" while off).
void WriteScoreSheet(Ctx& c, const std::string& wealthAtStart);
// The rest of it with the prizes of the chests: the running figures, the Score and Hero windows,
// the table's gold labels.
void FinishScoreSheet(Ctx& c, const std::array<double, 4>& prizes);
// A drawn hand: every column reads "黄庄"; the prop lines come next.
void StartDrawSheet(Ctx& c);
// The final lines of a drawn hand; with the prop plug-in's prizes each becomes the hand's score
// of its position.
void FinishDrawSheet(Ctx& c, const std::optional<std::array<double, 4>>& prizes);
// The fan list of the score sheet, between its header and the separator.
void WriteFanList(Ctx& c);

// The record file of the hands of this run, one section per hand.
std::string RecordFilePath(platform::Files& disk);
void SaveMatchRecord(Ctx& c, int hand);
void LoadMatchRecord(Ctx& c, int hand);
// Leaving the table: the records go with it.
void DeleteMatchRecords(Ctx& c);

// Centres a result window over the table picture, and shows it when show is set.
void CentreOverTable(Ctx& c, bool show, bool scoreWindow);
// One log line per sheet: each position's final score before prizes, then its prize.
void LogSheet(Ctx& c, const std::array<double, 4>& finals, const std::array<double, 4>& prizes);
// The names on the score window in green, the winner's in red; no winner (a draw, -1) leaves
// every name green.
void MarkScoreWinner(ScoreFormT& sheet, int pos);
// The avatars and names of the four positions on the score window.
void SetSheetPlayers(Ctx& c);
// The score sheet's columns, filled: each keeps every line in view while it can.
void FitSheetColumns(ScoreFormT& sheet);
// The history window, its latest hands in view.
void ShowHistory(Ctx& c);
// Rows of the history window's lists. An evening holds far fewer hands; past this many a hand
// adds no row (its record is still saved), so the window's memory stays bounded.
inline constexpr std::size_t kMaxHistoryRows = 10000;
// A row for one of the history window's lists, while it has room.
void AddHistoryRow(platform::Control& list, std::string row);
// Selects a row in the hand-number list and in the four score lists together.
void SelectHistoryRow(HeroFormT& hero, int row);
// The score window of an earlier hand, from the record file.
void ShowEarlierHand(Ctx& c, int hand);
// The player card of a position while the mouse rests on its avatar; hidden again over the
// table.
void ShowPlayerCard(Ctx& c, int pos);
void HidePlayerCard(InformationFormT& card);
// ---- Seating and table commands ----
// The score window's avatar of a position (its tag holds the face index).
void SetScoreAvatar(ScoreFormT& sheet, int pos, int face);
// The record window's avatar and ID label of a position.
void SetRecordPlayer(HeroFormT& hero, int pos, const std::string& nickName, int face);
// Shown centred over the main window, in front.
void ShowRecordWindow(Ctx& c);
void ShowScoreWindow(Ctx& c);
// Leaving the table: what the score and record windows show of position pos.
void ClearSeatEntries(Ctx& c, int pos);

// Numbers as the sheets write them: whole numbers without a decimal point.
std::string Num(double v);
// Right-aligned in width characters (counting characters, not bytes).
std::string RightAlign(std::string_view text, std::size_t width);

}  // namespace score
