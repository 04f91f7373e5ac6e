#pragma once
// One blocking HTTP or HTTPS request over WinINet, from start to finish. It never throws
// and never shows anything: a request that fails gives an empty body.
#include <string>

#include "web/types.h"

// method: 0 GET, 1 POST, 2 HEAD (others: GET). `body` is sent by POST and HEAD unless
// `bodyBytes` holds bytes; an empty `bodyBytes` receives the bytes of `body`.
// `cookies`: nullptr leaves cookies to WinINet's own store (which carries a session cookie
// from one call to the next); a variable, even an empty one, switches that store off, is
// sent as the Cookie header and receives the response's cookies (MergeCookies).
// `returnedCookies`: the response's Set-Cookie name=value parts, joined by "; ".
// `headers`: extra request lines joined by CR LF; receives the whole block that was sent.
// `responseHeaders`: the raw status line and headers, CR LF separated; "" without a reply.
// `proxy`: "host:port", empty for a direct connection.
ByteSet HttpRequest(const std::string& url, int method = 0, const std::string& body = "",
                    std::string* cookies = nullptr, std::string* returnedCookies = nullptr,
                    std::string* headers = nullptr, std::string* responseHeaders = nullptr,
                    bool noRedirect = false, ByteSet* bodyBytes = nullptr, const std::string& proxy = "");

// Ends every request in flight (it returns as failed, with an empty body), and fails every
// later request at once until AllowHttpRequests.
void AbortHttpRequests();
void AllowHttpRequests();
