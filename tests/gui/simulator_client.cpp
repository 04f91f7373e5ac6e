#include "tests/gui/simulator_client.h"

#include <cstdlib>

#include "web/codepage.h"
#include "web/http_request.h"
#include "web/url.h"

SimulatorClient::SimulatorClient() {
  if (const char* address = std::getenv("VERADIN_SIM")) address_ = address;
  if (Available()) {
    Control("/__sim/reset");
    Control("/__sim/config?fixed_code=abcd");
  }
}

nlohmann::json SimulatorClient::Control(const std::string& pathAndQuery) const {
  std::string none;  // a cookie jar of its own: control requests never touch the program's cookies
  const ByteSet reply = HttpRequest("http://" + address_ + pathAndQuery, 0, "", &none);
  return nlohmann::json::parse(reply.begin(), reply.end(), nullptr, false);
}

std::vector<nlohmann::json> SimulatorClient::Requests(const std::string& prefix) const {
  std::vector<nlohmann::json> found;
  const nlohmann::json log = Control("/__sim/log");
  if (!log.is_array()) return found;
  for (const auto& entry : log) {
    if (entry.value("path", "").rfind(prefix, 0) == 0) found.push_back(entry);
  }
  return found;
}

void SimulatorClient::Fault(const std::string& kind, const std::string& path, int count) const {
  Control("/__sim/fault?kind=" + kind + "&count=" + std::to_string(count) + (path.empty() ? "" : "&path=" + path));
}

nlohmann::json SimulatorClient::Expect(const std::string& name, int page) const {
  return Control("/__sim/expect?pName=" + UrlEncode(name, true, true) + "&currentPage=" + std::to_string(page));
}

nlohmann::json SimulatorClient::Record(const std::string& id) const { return Control("/__sim/record?id=" + id); }

std::string Gbk(const nlohmann::json& utf8String) {
  return utf8String.is_string() ? Utf8ToGbk(utf8String.get<std::string>()) : std::string();
}

std::string FormField(const nlohmann::json& request, const std::string& key) {
  for (const auto& pair : request.value("form", nlohmann::json::array())) {
    if (pair.size() == 2 && pair[0] == key) return pair[1].get<std::string>();
  }
  return {};
}
