// MessageChoices to and from JSON, and the checks that keep input from reaching the code unsafely.
#pragma once

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>
#include <string_view>

#include "CodeGenerator.h"
#include "MessageChoices.h"

namespace vellumor {

// Bad input: the message is one line for standard error.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Which result captions the input named; the others follow the window's list rebuilds.
struct GivenCaptions {
  bool md = false;
  bool mb = false;
};

// Reads a choices object into `choices` (keys left out keep their values). Throws InputError
// naming the key for invalid JSON, an unknown or repeated key, or a value of the wrong type.
void ReadChoicesJson(std::string_view text, MessageChoices& choices, GivenCaptions& given);

// Checks what the window would refuse or could not offer, and fills the result captions that
// the input left to the window. Throws InputError.
void SettleChoices(MessageChoices& choices, const GivenCaptions& given);

// Splits a text file into memo lines: CR LF, LF or CR end a line; a final line end adds no line;
// a UTF-8 byte order mark is dropped.
std::vector<std::string> SplitMessageLines(std::string_view text);

// Every key of a choices object, as --choices reads it.
nlohmann::json ChoicesToJson(const MessageChoices& choices);

// The --json result: parameters for both calls and the code for the active page.
nlohmann::json ResultJson(const MessageChoices& choices);

}  // namespace vellumor
