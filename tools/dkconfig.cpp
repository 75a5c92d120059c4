// dkconfig: converts the configuration file between its plain INI form and the stored form
// that ships as "lamecore.dll" (each line byte-complemented).
//
//   dkconfig encode PLAIN STORED
//   dkconfig decode STORED PLAIN
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "app/core/Configuration.h"

namespace {

bool ReadAll(const char* path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  out = text.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || (std::string(argv[1]) != "encode" && std::string(argv[1]) != "decode")) {
    std::cerr << "usage: dkconfig encode PLAIN STORED | dkconfig decode STORED PLAIN\n";
    return 2;
  }
  std::string input;
  if (!ReadAll(argv[2], input)) {
    std::cerr << "dkconfig: cannot read " << argv[2] << "\n";
    return 1;
  }
  // Complementing is its own inverse, line by line with the separators kept.
  std::string output = EncodeConfiguration(input);
  std::ofstream out(argv[3], std::ios::binary);
  if (!out.write(output.data(), static_cast<std::streamsize>(output.size()))) {
    std::cerr << "dkconfig: cannot write " << argv[3] << "\n";
    return 1;
  }
  return 0;
}
