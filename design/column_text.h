// A progressive stack's sheet in words: what sheet_text.h says of a sheet with a column.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "design/sheet_text.h"

namespace design::column_text {

std::vector<std::string> Header(const Sheet& sheet);
TableRow Row(const Sheet& sheet, std::size_t k);
TableRow PointRow(const Sheet& sheet, int point);
std::string Copy(const Sheet& sheet);
/// Each packet's findings about its dimensions and its judgement, led by its number: codes
/// "[2]f>0.75h0", "[2]stop", "[2]fatigue:N".
void AddVerdicts(const Sheet& sheet, std::vector<Found>& found);
std::vector<std::pair<std::string, std::string>> Record(const Sheet& sheet);
std::vector<std::string> Summary(const Sheet& sheet);
std::vector<std::string> SpringLines(const Sheet& sheet);
std::vector<std::string> TestLines(const Sheet& sheet);
/// The packets as the data sheet tabulates them: the column names and a row a packet.
std::vector<std::string> PacketHeader(Language language);
std::vector<TableRow> PacketRows(const Sheet& sheet);

}  // namespace design::column_text
