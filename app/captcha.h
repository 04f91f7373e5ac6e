#pragma once
// Captcha pictures of the main window and the detail window.

// Workers.
void FetchMainCaptcha();
void FetchDetailCaptcha();

// Window thread: a click on a picture fetches a new one.
void OnMainCaptchaClicked();
void OnDetailCaptchaClicked();
