#pragma once
// The decisions of one HTTP request that need no network: verb, agent, proxy form, flags,
// the header block sent, and the cookies a response set. Byte routines: no window code.
#include <cstdint>
#include <string>

inline constexpr char kDefaultAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// WinINet's request flags, by value so that this header needs no <wininet.h>.
namespace request_flag {
constexpr std::uint32_t kReload = 0x80000000;
constexpr std::uint32_t kSecure = 0x00800000;
constexpr std::uint32_t kNoAutoRedirect = 0x00200000;
constexpr std::uint32_t kNoCookies = 0x00080000;
constexpr std::uint32_t kIgnoreRedirectToHttps = 0x00004000;
constexpr std::uint32_t kNeedFile = 0x00000010;
}  // namespace request_flag

// 0 GET, 1 POST, 2 HEAD; any other method is a GET.
const char* RequestVerb(int method);

// The URL starts with "https" in any letter case.
bool IsSecureUrl(const std::string& url);

// The value of the caller's User-Agent line (its name in any letter case), trimmed; the
// fixed agent when there is no such line or its value is empty.
std::string ChooseAgent(const std::string& headers);

struct ProxySetting {
  std::uint32_t accessType = 1;  // INTERNET_OPEN_TYPE_DIRECT
  std::string name;              // empty with direct access
};

// Direct without a proxy; otherwise INTERNET_OPEN_TYPE_PROXY with the proxy for https and
// "http=" and the proxy for plain http.
ProxySetting ChooseProxy(const std::string& proxy, bool secure);

std::uint32_t RequestFlags(bool secure, bool cookieJar, bool noRedirect);

// The caller's header lines with the defaults added in a fixed order when their names
// (case-sensitive) are missing: Accept, Referer (the URL), Accept-Language, Content-Type;
// then a Cookie line whenever `cookies` is not empty. Lines are joined by CR LF, none at
// the end. A cookie pair holding CR, LF or NUL is left out, so no cookie adds a line.
std::string ComposeRequestHeaders(const std::string& headers, const std::string& url, const std::string& cookies);

// Every "Set-Cookie" in any letter case written as "Set-Cookie".
std::string NormaliseSetCookie(const std::string& rawHeaders);

// The name=value part of each Set-Cookie line of normalised raw headers, joined by "; ";
// a value holding CR, LF or NUL is dropped.
std::string CollectReturnedCookies(const std::string& rawHeaders);
