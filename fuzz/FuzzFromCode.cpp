// Any bytes as Delphi source for --from-code: read or refused with a position, never a crash; what
// is read must write code that reads back to the same code.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CodeLayout.h"
#include "CodeReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string source(reinterpret_cast<const char*>(data), size);
  vellumor::MessageChoices choices;
  try {
    choices = vellumor::ReadCode(source);
  } catch (const vellumor::CodeReadError& e) {
    if (e.line < 1 || e.column < 1) std::abort();
    return 0;
  }
  // Our own code must always read back, to the same code.
  std::string code = vellumor::GetClipboardText(vellumor::GenerateCode(choices));
  std::string again;
  try {
    again = vellumor::GetClipboardText(vellumor::GenerateCode(vellumor::ReadCode(code)));
  } catch (const vellumor::CodeReadError&) {
    std::abort();
  }
  if (again != code) std::abort();
  return 0;
}
