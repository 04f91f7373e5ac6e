#pragma once
// Picture files of the libpng and libjpeg-turbo sources, read for the decoding tests.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pictures/picture_decode.h"

inline std::string CorpusPath(const std::string& relative) {
  return std::string(VERADIN_CORPUS_DIR) + "/" + relative;
}

inline std::vector<std::uint8_t> ReadCorpus(const std::string& relative) {
  std::ifstream in(CorpusPath(relative), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Corpus-relative names of the files in a corpus folder that end with the given suffix.
inline std::vector<std::string> CorpusFiles(const std::string& folder, const std::string& suffix) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(CorpusPath(folder))) {
    const std::string name = entry.path().filename().string();
    if (name.size() > suffix.size() && name.ends_with(suffix)) names.push_back(folder + "/" + name);
  }
  return names;
}

inline DecodedPicture Decode(const std::vector<std::uint8_t>& bytes,
                             std::uint32_t backgroundRgb = 0x3366CC) {
  return DecodePicture(bytes.data(), bytes.size(), backgroundRgb);
}
