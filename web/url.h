#pragma once
// Splitting a URL into what a connection needs, and percent-encoding form values.
// http://host[:port]/path?query, or https; a URL without a scheme is taken as http. The
// host ends only at a "/": user information or a query right after the host stay in it.
#include <string>

// The host in lower case, with ":port" when `keepPort` and the URL has one.
std::string UrlHost(const std::string& url, bool keepPort = false);

// The explicit port (0 when it is not a number), else 443 for https and 80 otherwise.
int UrlPort(const std::string& url);

// The object path for the request line: from the "/" that ends the host to the end of the
// URL, query included, as written; "/" when there is none.
std::string UrlPath(const std::string& url);

// Every byte as %XX (upper-case hex); with `keepSafe`, "-", ".", digits and ASCII letters
// stay as they are. With `utf8` the GBK text is turned into UTF-8 first.
std::string UrlEncode(const std::string& text, bool keepSafe = false, bool utf8 = false);
