#pragma once
// The tamper-evident chain: each entry's chain_sha256 hashes the previous entry's value
// together with the entry's own fields, so that an edited, removed or inserted entry breaks
// the chain at that place. Searches and details share one chain in the order written.
#include <string>

#include "journal/entry.h"

inline const std::string kChainStart(64, '0');

// The UTF-8 text whose SHA-256 is the entry's chain_sha256.
std::string ChainText(const std::string& previous, const SearchEntry& e);
std::string ChainText(const std::string& previous, const DetailEntry& e);

std::string ChainHash(const std::string& previous, const SearchEntry& e);
std::string ChainHash(const std::string& previous, const DetailEntry& e);
