// Any bytes as choices JSON: the command must answer 0 or 2, never crash, and on success print
// code whose every line closes the literals it opens.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "VellumorGen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  for (bool json : {false, true}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    std::vector<std::string> args{"--choices", "-"};
    if (json) args.push_back("--json");
    int code = vellumor::RunVellumorGen(args, in, out, err);
    if (code != 0 && code != 2) std::abort();
    if (code == 2 && !out.str().empty()) std::abort();
    if (code == 0 && !json) {
      std::istringstream lines(out.str());
      for (std::string line; std::getline(lines, line);) {
        bool quoted = false;
        for (char c : line)
          if (c == '\'') quoted = !quoted;
        if (quoted) std::abort();
      }
    }
  }
  return 0;
}
