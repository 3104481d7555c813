// vellumor-gen: the generator as a command. Kept apart from main() so tests and the fuzzer run it
// in-process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vellumor {

// args are the arguments after the program name. Returns the exit code: 0 on success, 2 on bad
// input (one line on `err`, nothing on `out`).
int RunVellumorGen(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

}  // namespace vellumor
