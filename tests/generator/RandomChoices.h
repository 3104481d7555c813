// Random choices for property tests: any the generator may be given, or only those the window
// could hold.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "MessageChoices.h"

namespace gentest {

// Text made of fragments chosen to provoke the generator: quotes, blanks, separators and argument
// patterns written as text, multi-byte and control characters, sometimes long runs. Line breaks
// only when `lineBreaks`: a memo line never holds one.
std::string RandomText(std::mt19937& rng, bool lineBreaks);

// `holdable`: indexes inside their lists, at least one MessageDlg button, captions and default
// button taken from the lists the window would show. Otherwise anything, out-of-range indexes
// and captions the box lacks included. Messages of no lines and of empty lines in both.
vellumor::MessageChoices RandomChoices(std::mt19937& rng, bool holdable);

// A value as typed between braces, as the code must hold it, and a string to bind it to.
struct SampleValue {
  std::string typed, code, bound;
};
// Values with ( ) [ ], quotes, commas, " + ", patterns the layout looks for, operators that need
// parentheses beside + and some that do not.
const std::vector<SampleValue>& SampleValues();

// Holdable choices with values on: sample values in random lines (the first always has one) and
// in the title, in random text whose braces are doubled.
vellumor::MessageChoices RandomValueChoices(std::mt19937& rng);

}  // namespace gentest
