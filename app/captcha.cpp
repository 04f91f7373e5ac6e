// Captcha pictures for the main window and the detail window.
#include "app/captcha.h"

#include "app/main_units.h"
#include "app/workers.h"
#include "app/service.h"
#include "app/templates.h"
#include "runtime/units.h"
#include "web/http_request.h"

void FetchCaptchaInto(HWND box) {
  const ByteSet picture = HttpRequest(ServiceUrl("/captchaNew.do?captchaId=" + CaptchaId()));
  // A failed fetch, or bytes that are no picture, show the picture that says so and asks
  // for a click, rather than an empty box.
  if (!SetPicture(box, picture.data(), picture.size())) SetPictureFromResource(box, kCaptchaFailurePicture);
}

void FetchMainCaptcha() { FetchCaptchaInto(CaptchaPicture()); }
void FetchDetailCaptcha() { FetchCaptchaInto(DetailCaptchaPicture()); }

void OnMainCaptchaClicked() { StartWorker<FetchMainCaptcha>(); }
void OnDetailCaptchaClicked() { StartWorker<FetchDetailCaptcha>(); }
