#pragma once
// The end of a hand: the seat results and win details, the draw sheet, the fan list, the score
// sheet, the continue countdown, the match records and the result windows' input.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "wire/messages.h"

class Client;
namespace platform {
class Control;
}

namespace score {

struct ScoreState;

// What a seat result completes.
enum class ResultGroup { Incomplete, Won, Draw };
// A seat's result (command 17): its amount and cap; the fourth tells whether the hand was won
// or drawn.
ResultGroup TakeSeatResult(Client& c, const wire::HandResult& m);
// A seat's win detail (command 18); true once all four have arrived.
bool TakeWinDetail(Client& c, const wire::WinDetail& m);
// A next hand's start drops a result group cut short (frames lost with a dropped connection).
void DropCutShortGroup(Client& c);
// The table's reset forgets a result group half received.
void ForgetResultGroup(ScoreState& s);

// The ready countdown in the Number label, green, red below 6; the ready clock's task counts it.
void StartContinueCountdown(Client& c, int seconds);
// The ready clock's second: one second less; true when the countdown has run out.
bool CountReadySecond(Client& c);
// The countdown stops and its clock goes (the clock's picture and label are the turn clock's too).
void StopContinueCountdown(Client& c);
// The continue button counts as used: a later press sends nothing and the own tiles rise again.
void UseContinueButton(Client& c);
// The score and history windows are put away.
void HideResultWindows(Client& c);

// Empties the eight lists of the score window and puts its columns back to black: a sheet is
// written from nothing, whatever the window showed (an earlier hand, say).
void ClearSheet(Client& c);
// A won hand's sheet up to each column's final score; the prop lines come next, in the colour
// they choose. wealthAtStart is the wealth multiplier as the hand started ("" while off).
void WriteScoreSheet(Client& c, const std::string& wealthAtStart);
// The rest of it with the prizes of the chests: the running figures, the Score and Hero windows,
// the table's gold labels.
void FinishScoreSheet(Client& c, const std::array<double, 4>& prizes);
// A drawn hand: every column reads "黄庄"; the prop lines come next.
void StartDrawSheet(Client& c);
// The final lines of a drawn hand; with the prop plug-in's prizes each becomes the hand's score
// of its position.
void FinishDrawSheet(Client& c, const std::optional<std::array<double, 4>>& prizes);
// The fan list of the score sheet, between its header and the separator.
void WriteFanList(Client& c);

// The record file of the hands of this run, one section per hand.
std::string RecordFilePath(Client& c);
void SaveMatchRecord(Client& c, int hand);
void LoadMatchRecord(Client& c, int hand);
// Leaving the table: the records go with it.
void DeleteMatchRecords(Client& c);

// Centres a result window over the table picture, and shows it when show is set.
void CentreOverTable(Client& c, bool show, bool scoreWindow);
// One log line per sheet: each position's final score before prizes, then its prize.
void LogSheet(Client& c, const std::array<double, 4>& finals, const std::array<double, 4>& prizes);
// The names on the score window in green, the winner's in red; no winner (a draw, -1) leaves
// every name green.
void MarkScoreWinner(Client& c, int pos);
// The avatars and names of the four positions on the score window.
void SetSheetPlayers(Client& c);
// The score sheet's columns, filled: each keeps every line in view while it can.
void FitSheetColumns(Client& c);
// The history window, its latest hands in view.
void ShowHistory(Client& c);
// Rows of the history window's lists. An evening holds far fewer hands; past this many a hand
// adds no row (its record is still saved), so the window's memory stays bounded.
inline constexpr std::size_t kMaxHistoryRows = 10000;
// A row for one of the history window's lists, while it has room.
void AddHistoryRow(platform::Control& list, std::string row);
// Selects a row in the hand-number list and in the four score lists together.
void SelectHistoryRow(Client& c, int row);
// The score window of an earlier hand, from the record file.
void ShowEarlierHand(Client& c, int hand);
// The player card of a position while the mouse rests on its avatar; hidden again over the
// table.
void ShowPlayerCard(Client& c, int pos);
void HidePlayerCard(Client& c);
// ---- Seating and table commands ----
// The score window's avatar of a position (its tag holds the face index).
void SetScoreAvatar(Client& c, int pos, int face);
// The record window's avatar and ID label of a position.
void SetRecordPlayer(Client& c, int pos, const std::string& nickName, int face);
// Shown centred over the main window, in front.
void ShowRecordWindow(Client& c);
void ShowScoreWindow(Client& c);
// Leaving the table: what the score and record windows show of position pos.
void ClearSeatEntries(Client& c, int pos);

// Numbers as the sheets write them: whole numbers without a decimal point.
std::string Num(double v);
// Right-aligned in width characters (counting characters, not bytes).
std::string RightAlign(std::string_view text, std::size_t width);

}  // namespace score
