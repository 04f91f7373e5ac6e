#include "journal/chain.h"

#include "journal/sha256.h"

std::string ChainText(const std::string& previous, const SearchEntry& e) {
  return previous + "\n" + e.atUtc + "\n" + e.name + "\n" + e.idNumber + "\n" + e.host + "\n" +
         std::to_string(e.page) + "\n" + std::to_string(e.total) + "\n" + e.outcome + "\n" + e.replySha256;
}

std::string ChainText(const std::string& previous, const DetailEntry& e) {
  return previous + "\n" + e.atUtc + "\n" + e.recordId + "\n" + e.caseNumber + "\n" + e.text + "\n" +
         e.replySha256;
}

std::string ChainHash(const std::string& previous, const SearchEntry& e) { return Sha256Hex(ChainText(previous, e)); }
std::string ChainHash(const std::string& previous, const DetailEntry& e) { return Sha256Hex(ChainText(previous, e)); }
