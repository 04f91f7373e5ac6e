#include "web/url.h"

#include "web/codepage.h"
#include "web/markers.h"
#include "web/text_ops.h"

namespace {

struct HostPart {
  std::string text;   // lower case, name and port
  int urlOffset = 0;  // 0-based byte where it starts in the caller's URL
};

// The host part as the connection sees it, and where it sits in the URL as written.
HostPart FindHostPart(const std::string& url) {
  std::string lower = ToLowerText(url);
  if (RightPart(lower, 1) != "/") lower += "/";
  std::string scheme = "https://";
  int added = 0;  // bytes put in front of the caller's URL
  if (LeftPart(lower, 8) != scheme) {
    scheme = "http://";
    if (FindText(lower, scheme) == kNotFound) {
      lower.insert(0, scheme);
      added = static_cast<int>(scheme.size());
    }
  }
  HostPart host;
  host.text = TextBetween(lower, scheme, "/");
  const int schemeAt = FindText(lower, scheme);
  host.urlOffset = schemeAt - 1 + static_cast<int>(scheme.size()) - added;
  return host;
}

}  // namespace

std::string UrlHost(const std::string& url, bool keepPort) {
  std::string host = FindHostPart(url).text;
  if (keepPort) return host;
  const int colon = FindText(host, ":");
  return colon == kNotFound ? host : LeftPart(host, colon - 1);
}

int UrlPort(const std::string& url) {
  const std::string host = UrlHost(url, true);
  const int colon = FindLastText(host, ":");
  if (colon == kNotFound) return ToLowerText(LeftPart(url, 5)) == "https" ? 443 : 80;
  return ToInteger(RightPart(host, static_cast<int>(host.size()) - colon));
}

std::string UrlPath(const std::string& url) {
  // The "/" is sought from where the host begins, not from the first place the host's
  // name occurs: a host such as "t" or "p" would otherwise be found inside "http://".
  const HostPart host = FindHostPart(url);
  const int slash = FindText(url, "/", host.urlOffset + 1);
  if (slash <= 0) return "/";
  return RightPart(url, static_cast<int>(url.size()) - slash + 1);
}

std::string UrlEncode(const std::string& text, bool keepSafe, bool utf8) {
  if (text.empty()) return {};
  const std::string bytes = utf8 ? GbkToUtf8(text) : text;
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    const bool safe = b == '-' || b == '.' || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') ||
                      (b >= 'a' && b <= 'z');
    if (keepSafe && safe) {
      out += ch;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    }
  }
  return out;
}
