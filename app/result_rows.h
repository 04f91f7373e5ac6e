#pragma once
// The rows of the main window's result list, for whoever needs them whole (an export, for
// example). The program keeps them; the list view only asks for the cells it shows.
#include <array>
#include <string>
#include <vector>

// One entry a row, in list order; GBK cells: name, filing date, case number and the hint
// "双击查看详情". A cell the result page did not give is empty. Safe from any thread; a
// snapshot, so a search that runs meanwhile does not change it.
using ResultRow = std::array<std::string, 4>;
std::vector<ResultRow> ResultRows();
