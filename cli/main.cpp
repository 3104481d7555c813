#include <iostream>

#include "VellumorGen.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

// Arguments arrive as UTF-16 and are passed on as UTF-8; standard streams are binary so the
// output is byte for byte what other systems print.
int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    int n = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), n, nullptr, nullptr);
    args.push_back(std::move(arg));
  }
  return vellumor::RunVellumorGen(args, std::cin, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  return vellumor::RunVellumorGen(args, std::cin, std::cout, std::cerr);
}
#endif
