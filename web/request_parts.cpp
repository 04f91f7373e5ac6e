#include "web/request_parts.h"

#include "web/markers.h"
#include "web/text_ops.h"

namespace {

// CR, LF or NUL in a cookie would end the header line it travels in, and what follows would
// become header lines of the caller's next request.
bool BreaksHeaderLine(const std::string& text) { return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos; }

// The cookie text without the pairs that would break the Cookie line.
std::string SendableCookies(const std::string& cookies) {
  if (!BreaksHeaderLine(cookies)) return cookies;
  std::string kept;
  for (const std::string& pair : SplitText(cookies, ";")) {
    if (BreaksHeaderLine(pair)) continue;
    if (!kept.empty()) kept += ";";
    kept += pair;
  }
  return TrimSpaces(kept);
}

}  // namespace

const char* RequestVerb(int method) {
  switch (method) {
    case 1: return "POST";
    case 2: return "HEAD";
    default: return "GET";
  }
}

bool IsSecureUrl(const std::string& url) { return ToLowerText(LeftPart(url, 5)) == "https"; }

std::string ChooseAgent(const std::string& headers) {
  // Only the User-Agent line's own value: taking text across lines would put CR LF and
  // other headers into the agent WinINet sends.
  const std::string name = "User-Agent:";
  const int at = FindText(headers, name, 1, true);
  if (at == kNotFound) return kDefaultAgent;
  const int valueAt = at + static_cast<int>(name.size());
  const int lineEnd = FindText(headers, "\r\n", valueAt);
  const int length = lineEnd == kNotFound ? static_cast<int>(headers.size()) + 1 - valueAt : lineEnd - valueAt;
  const std::string agent = TrimSpaces(MiddlePart(headers, valueAt, length));
  return agent.empty() ? kDefaultAgent : agent;
}

ProxySetting ChooseProxy(const std::string& proxy, bool secure) {
  ProxySetting setting;
  if (proxy.empty()) return setting;
  setting.accessType = 3;  // INTERNET_OPEN_TYPE_PROXY
  setting.name = secure ? proxy : "http=" + proxy;
  return setting;
}

std::uint32_t RequestFlags(bool secure, bool cookieJar, bool noRedirect) {
  using namespace request_flag;
  std::uint32_t flags = kReload | kNeedFile;
  if (cookieJar) flags |= kNoCookies;
  if (noRedirect) flags |= kNoAutoRedirect;
  flags |= secure ? kSecure : kIgnoreRedirectToHttps;
  return flags;
}

std::string ComposeRequestHeaders(const std::string& headers, const std::string& url, const std::string& cookies) {
  std::string block = headers;
  const auto lacks = [&block](const char* name) { return FindText(block, name) == kNotFound; };
  if (block.empty()) {
    block = "Accept: */*";
  } else if (lacks("Accept:")) {
    block += "\r\nAccept: */*";
  }
  if (lacks("Referer:")) block += "\r\nReferer: " + url;
  if (lacks("Accept-Language:")) block += "\r\nAccept-Language: zh-cn";
  if (lacks("Content-Type:")) block += "\r\nContent-Type: application/x-www-form-urlencoded";
  const std::string sendable = SendableCookies(cookies);
  if (!sendable.empty()) block += "\r\nCookie: " + sendable;
  return block;
}

std::string NormaliseSetCookie(const std::string& rawHeaders) {
  return ReplaceText(rawHeaders, "Set-Cookie", "Set-Cookie", 1, kAll, false);
}

std::string CollectReturnedCookies(const std::string& rawHeaders) {
  std::string cookies;
  for (const std::string& line : SplitText(rawHeaders, "\r\n")) {
    if (FindText(line, "Set-Cookie") == kNotFound) continue;
    const std::string value = FindText(line, ";") == kNotFound
                                  ? TrimSpaces(ReplaceText(line, "Set-Cookie:", "", 1, kAll, false))
                                  : TrimSpaces(TextBetween(line, "Set-Cookie:", ";"));
    if (BreaksHeaderLine(value)) continue;
    cookies += value + "; ";
  }
  return cookies.size() < 2 ? std::string() : cookies.substr(0, cookies.size() - 2);
}
