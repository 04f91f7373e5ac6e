#pragma once
// The test's side of the register-service simulator that scripts/test.sh starts
// (VERADIN_SIM=host:port): its switches, faults, request log and expected results.
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

class SimulatorClient {
 public:
  SimulatorClient();  // resets the simulator: no faults, empty log, fixed code "abcd"
  bool Available() const { return !address_.empty(); }
  const std::string& Address() const { return address_; }

  nlohmann::json Control(const std::string& pathAndQuery) const;  // "/__sim/..."
  // Logged service requests whose path starts with `prefix`, oldest first.
  std::vector<nlohmann::json> Requests(const std::string& prefix) const;
  void Fault(const std::string& kind, const std::string& path = "", int count = 1) const;
  // What a search for `name` (GBK) on `page` lists: {total, count, rows: [...]}.
  nlohmann::json Expect(const std::string& name, int page = 1) const;
  nlohmann::json Record(const std::string& id) const;

 private:
  std::string address_;
};

// A UTF-8 text of the simulator's JSON as the program's GBK text.
std::string Gbk(const nlohmann::json& utf8String);
// The value of a form field of a logged request (decoded, UTF-8), or "".
std::string FormField(const nlohmann::json& request, const std::string& key);
