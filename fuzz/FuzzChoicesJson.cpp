// Any bytes as choices JSON: the command answers 2 with one line on standard error and nothing on
// standard output, or 0 with code that the reader takes back to the same code.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "CodeLayout.h"
#include "CodeReader.h"
#include "VellumorGen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  for (bool json : {false, true}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    std::vector<std::string> args{"--choices", "-"};
    if (json) args.push_back("--json");
    int code = vellumor::RunVellumorGen(args, in, out, err);
    if (code == 2) {
      const std::string message = err.str();
      if (!out.str().empty() || message.empty() || message.find('\n') != message.size() - 1) std::abort();
      continue;
    }
    if (code != 0) std::abort();
    if (json) continue;
    // The printed lines are the clipboard's lines: the reader must take them back unchanged.
    std::string again;
    try {
      for (const auto& line : vellumor::GetClipboardLines(vellumor::GenerateCode(vellumor::ReadCode(out.str()))))
        again += line + "\n";
    } catch (const vellumor::CodeReadError&) {
      std::abort();
    }
    if (again != out.str()) std::abort();
  }
  return 0;
}
