#pragma once
// The two window templates: the main window with the search form and the result list, and
// the detail window that shows one record.
#include "runtime/window_template.h"

const WindowSpec& MainWindowTemplate();
const WindowSpec& DetailWindowTemplate();

// Resource name of the picture both captcha boxes start with.
inline constexpr char kCaptchaFailurePicture[] = "CAPTCHA_FAILURE";
