#pragma once
// Captcha pictures of the main window and the detail window.

#include <windows.h>

// Workers.
// A fresh captcha picture into a picture box (the failure picture when none comes).
void FetchCaptchaInto(HWND box);
void FetchMainCaptcha();
void FetchDetailCaptcha();

// Window thread: a click on a picture fetches a new one.
void OnMainCaptchaClicked();
void OnDetailCaptchaClicked();
