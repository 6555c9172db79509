#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/client_files.h"
#include "app/ini_file.h"
#include "assets/picture_ids.h"
#include "score/context.h"
#include "score/score.h"
#include "table/table_state.h"

namespace score {

namespace {

using table::Ix;

std::string Section(int hand) {
  return "juNum:" + std::to_string(hand);
}

std::string CountKey(int j) {
  return "count( " + std::to_string(j) + " )";
}

// Colours are kept in the file as the platform's colour values: blue in the high byte.
std::uint32_t SwapRedBlue(std::uint32_t c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return s;
}

// A whole number from the file, or nothing for anything else (a hostile file may hold any
// text or a count of billions).
std::optional<long long> WholeNumber(const std::string& s, long long max) {
  if (s.empty() || s.size() > 18) return std::nullopt;
  long long v = 0;
  std::size_t i = 0;
  const bool negative = s[0] == '-';
  if (negative) i = 1;
  if (i == s.size()) return std::nullopt;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
    v = v * 10 + (s[i] - '0');
  }
  if (negative) v = -v;
  if (v > max) return std::nullopt;
  return v;
}

}  // namespace

std::string RecordFilePath(platform::Files& disk) {
  return app::WritableFilePath(disk, app::kRecordFile);
}

void SaveMatchRecord(Ctx& c, int hand) {
  std::vector<std::pair<std::string, std::string>> keys;
  for (int i = 0; i < 4; ++i) {
    const auto& card = c.table.NameCard.at(Ix(i));
    keys.emplace_back("name( " + std::to_string(i) + " )", card.NickName);
    keys.emplace_back("PicIndex( " + std::to_string(i) + " )", std::to_string(card.Face));
  }
  for (int j = 0; j < 8; ++j) {
    const auto& items = c.Score.State(j).Items();
    keys.emplace_back(CountKey(j), std::to_string(items.size()));
    for (std::size_t k = 0; k < items.size(); ++k) {
      keys.emplace_back(CountKey(j) + "( " + std::to_string(k) + " )", items[k]);
    }
  }
  for (int k = 0; k < 4; ++k) {
    keys.emplace_back(CountKey(k) + " ForeColor",
                      std::to_string(SwapRedBlue(c.Score.State(k).ForeColor())));
  }
  app::classIniFile ini(c.host.Disk());
  ini.INIFileName(RecordFilePath(c.host.Disk()));
  ini.WriteIniKeys(Section(hand), keys);
}

void LoadMatchRecord(Ctx& c, int hand) {
  app::classIniFile ini(c.host.Disk());
  ini.INIFileName(RecordFilePath(c.host.Disk()));
  // Names are matched without regard to case, as the file's own lookups do; the first of two
  // equal keys counts.
  std::map<std::string, std::string> values;
  for (auto& [key, value] : ini.GetIniSection(Section(hand))) {
    values.emplace(Lower(key), std::move(value));
  }
  auto get = [&](const std::string& key) -> std::string {
    const auto it = values.find(Lower(key));
    return it == values.end() ? std::string() : it->second;
  };

  for (int i = 0; i < 4; ++i) {
    c.Score.ID(i).SetCaption(get("name( " + std::to_string(i) + " )"));
    const auto face = WholeNumber(get("PicIndex( " + std::to_string(i) + " )"), 19);
    c.Score.Tou(i).SetPicture(face && *face >= 0 ? assets::pic::FaceId(static_cast<int>(*face))
                                                 : 0);
  }
  for (int j = 0; j < 8; ++j) {
    const std::string countText = get(CountKey(j));
    if (countText.empty()) return;
    // A count no sheet could have is the end of what can be trusted.
    const auto count = WholeNumber(countText, 10000);
    if (!count || *count < 0) return;
    auto& list = c.Score.State(j);
    const auto n = static_cast<std::size_t>(*count);
    while (list.Items().size() < n) list.AddItem(" ");
    while (list.Items().size() > n) list.RemoveItem(static_cast<int>(list.Items().size()) - 1);
    std::vector<std::string> lines;
    lines.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
      std::string line = get(CountKey(j) + "( " + std::to_string(k) + " )");
      lines.push_back(line.empty() ? " " : std::move(line));
    }
    list.Clear();
    for (auto& line : lines) list.AddItem(std::move(line));
  }
  for (int k = 0; k < 4; ++k) {
    // A missing or unreadable colour reads as 0, black.
    const auto colour = WholeNumber(get(CountKey(k) + " ForeColor"), 0xFFFFFF);
    const auto value = colour && *colour >= 0 ? static_cast<std::uint32_t>(*colour) : 0U;
    c.Score.State(k).SetForeColor(SwapRedBlue(value));
  }
}

void DeleteMatchRecords(Ctx& c) {
  c.host.Disk().RemoveFile(RecordFilePath(c.host.Disk()));
  // The history's rows stand for those records: a row must never open another table's hand.
  c.Hero.Num.Clear();
  for (auto* g : c.Hero.Grade) g->Clear();
  for (auto* s : c.Hero.sumScore) s->SetCaption("");
}

}  // namespace score
