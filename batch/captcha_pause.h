#pragma once
// The pause of a batch whose captcha the service refused: a window with a fresh captcha
// picture, a field for its characters, 继续 and 取消批量查询.
#include <windows.h>

#include <optional>
#include <string>

#include "batch/batch_runner.h"
#include "runtime/window_template.h"

// The pause window's template, for tests to find it by its units.
const WindowSpec& CaptchaPauseTemplate();

// Worker thread. Shows the window over `owner` naming the party the batch stopped on,
// fetches a fresh picture into it, and waits: the code typed when 继续 is clicked, nullopt
// when the batch is cancelled (`cancel` set, 取消批量查询, or the window closed).
std::optional<std::string> AskForFreshCode(HWND owner, const BatchProgress& where, HANDLE cancel);
