#pragma once
// Where the register service is and how this run identifies its captchas.
#include <string>
#include <string_view>

#include "web/types.h"

// The service host; VERADIN_SERVICE ("host[:port]") points the program at another one,
// such as the local simulator.
inline constexpr char kServiceHost[] = "shixin.court.gov.cn";

// Read once at start-up: the host and this run's captcha identifier.
void InitialiseService();
std::string ServiceUrl(const std::string& pathAndQuery);
// host[:port] of the service the requests go to.
const std::string& ServiceHost();

// 32 lower-case hexadecimal digits from a cryptographic random source, made once per run.
// The service binds a code to its identifier, so a shared identifier would let two users
// of the program invalidate each other's captchas.
const std::string& CaptchaId();

// A value for a form field or query: letters, digits, "-" and "." as they are, every other
// byte of its UTF-8 form as %XX, so a typed "&" or "=" cannot add or change a field.
std::string FormValue(const std::string& text);

// The page of a reply: its bytes up to the first NUL, UTF-8 as the service sends them; a
// view into `reply`.
std::string_view ReplyPage(const ByteSet& reply);
// The same page as the program's text, turned from UTF-8 into GBK.
std::string ReplyText(const ByteSet& reply);
