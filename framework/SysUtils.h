// Runtime helpers.
//   Widen, Narrow       UTF-8 <-> UTF-16 at the Win32 boundary
//   TryStrToInt         whole 32-bit numbers in signed decimal; StrToInt throws EConvertError
//   IntToStr            signed decimal
//   DecimalSeparator    the user's locale decimal separator
//   SoundBeep           MessageBeep, observable by tests
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vellumor {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Leading blanks and one sign are allowed; anything else, or a number outside 32 bits, fails.
std::optional<std::int32_t> TryStrToInt(std::string_view text);
std::int32_t StrToInt(std::string_view text);
std::string IntToStr(std::int64_t value);

// Read from the user's locale each time, so a changed setting applies at once.
wchar_t DecimalSeparator();

// Sounds MessageBeep(type); a test may watch the calls.
void SoundBeep(UINT type);
void SetBeepObserver(std::function<void(UINT)> observer);

}  // namespace vellumor
