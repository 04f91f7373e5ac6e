#include "web/request_parts.h"

#include "web/markers.h"
#include "web/text_ops.h"

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
  if (!cookies.empty()) block += "\r\nCookie: " + cookies;
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
    cookies += value + "; ";
  }
  return cookies.size() < 2 ? std::string() : cookies.substr(0, cookies.size() - 2);
}
