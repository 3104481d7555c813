// The UTF-8 walker: strict decoding, encoding, and the measures the callers take with it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Utf8.h"

using namespace vellumor;

TEST(Utf8, DecodesWellFormedCharactersAtTheirLimits) {
  const struct {
    std::string text;
    size_t at, bytes, units;
    char32_t codePoint;
  } rows[] = {
      {"\x7F", 0, 1, 1, 0x7F},
      {"\xC2\x80", 0, 2, 1, 0x80},
      {"x\xC3\xA9", 1, 2, 1, 0xE9},
      {"\xDF\xBF", 0, 2, 1, 0x7FF},
      {"\xE0\xA0\x80", 0, 3, 1, 0x800},
      {"\xED\x9F\xBF", 0, 3, 1, 0xD7FF},
      {"\xEE\x80\x80", 0, 3, 1, 0xE000},
      {"\xEF\xBF\xBF", 0, 3, 1, 0xFFFF},
      {"\xF0\x90\x80\x80", 0, 4, 2, 0x10000},
      {"ab\xF0\x9F\x98\x80", 2, 4, 2, 0x1F600},
      {"\xF4\x8F\xBF\xBF", 0, 4, 2, 0x10FFFF},
  };
  for (const auto& row : rows) {
    const Utf8Char c = DecodeUtf8(row.text, row.at);
    EXPECT_TRUE(c.valid) << row.text;
    EXPECT_EQ(c.bytes, row.bytes) << row.text;
    EXPECT_EQ(c.units, row.units) << row.text;
    EXPECT_EQ(c.codePoint, row.codePoint) << row.text;
  }
}

TEST(Utf8, AMalformedSequenceIsOneByteOfOneUnit) {
  // Lone continuations, overlong forms, surrogates, above U+10FFFF, cut short, and a continuation out
  // of range.
  std::istringstream malformed(
      "\x80|\xBF|\xC0\xAF|\xC1\xBF|\xE0\x9F\xBF|\xF0\x8F\xBF\xBF|\xED\xA0\x80|\xED\xBF\xBF|\xF4\x90\x80\x80|"
      "\xF5\x80\x80\x80|\xF8\x88\x80\x80\x80|\xFE|\xFF|\xC3|\xE2\x82|\xF0\x9F\x98|\xC3\x41|\xC3\xC3\xA9|"
      "\xE2\x82\x41|\xE2\x82\xC0|\xE1\x7F\x80|\xF1\x80\x80\x7F|\xF1\x80\x80\xC0|\xF1\xC0\x80\x80");
  for (std::string text; std::getline(malformed, text, '|');) {
    const Utf8Char c = DecodeUtf8(text, 0);
    EXPECT_FALSE(c.valid) << text;
    EXPECT_EQ(c.bytes, 1u) << text;
    EXPECT_EQ(c.units, 1u) << text;
    EXPECT_EQ(c.codePoint, 0xFFFDu) << text;
    EXPECT_EQ(FirstInvalidUtf8(text), 0u) << text;
  }
  // Cut short by the end of the text, though the bytes after it would complete the sequence.
  EXPECT_FALSE(DecodeUtf8("x\xE2\x82", 1).valid);
  EXPECT_FALSE(DecodeUtf8(std::string_view("\xE2\x82\xAC", 2), 0).valid);
  EXPECT_FALSE(DecodeUtf8(std::string_view("x\xF0\x9F\x98\x80", 4), 1).valid);
  EXPECT_EQ(FirstInvalidUtf8(std::string_view("ab\xFF", 2)), std::string_view::npos);
}

TEST(Utf8, EveryCodePointEncodesAndDecodesBack) {
  for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    if (cp == 0xD800) cp = 0xE000;
    std::string text;
    AppendUtf8(text, cp);
    const Utf8Char c = DecodeUtf8(text, 0);
    ASSERT_TRUE(c.valid && c.codePoint == cp && c.bytes == text.size())
        << std::hex << static_cast<unsigned>(cp);
    ASSERT_EQ(text.size(), cp < 0x80      ? 1u
                           : cp < 0x800   ? 2u
                           : cp < 0x10000 ? 3u
                                          : 4u)
        << std::hex << static_cast<unsigned>(cp);
  }
  // What no well-formed text holds is written as the replacement character.
  const std::pair<char32_t, const char*> rows[] = {
      {0xD800, "\xEF\xBF\xBD"},
      {0xDFFF, "\xEF\xBF\xBD"},
      {0x110000, "\xEF\xBF\xBD"},
  };
  for (auto [cp, bytes] : rows) {
    std::string text = "a";
    AppendUtf8(text, cp);
    EXPECT_EQ(text, std::string("a") + bytes) << std::hex << static_cast<unsigned>(cp);
  }
}

TEST(Utf8, FirstInvalidByteAndCountsTakeAMalformedByteAsOneCharacter) {
  EXPECT_EQ(FirstInvalidUtf8(""), std::string_view::npos);
  EXPECT_EQ(FirstInvalidUtf8("Gr\xC3\xBC\xC3\x9F"
                             "e \xE2\x98\x83 \xF0\x9F\x98\x80"),
            std::string_view::npos);
  EXPECT_EQ(FirstInvalidUtf8("ab\xE2\x82\x41"), 2u);
  EXPECT_EQ(FirstInvalidUtf8("\xE2\x82\xAC\xFF"), 3u);
  EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));
  EXPECT_FALSE(IsValidUtf8("a\xED\xA0\x80"));
  const std::pair<std::string, size_t> counts[] = {
      {"", 0},
      {"a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", 4},
      {"\x80\x80", 2},
      {"a\xE2\x82", 3},
      {"\xED\xA0\x80", 3},
  };
  for (const auto& [text, n] : counts)
    EXPECT_EQ(CountUtf8Chars(text), n) << text;
}

TEST(Utf8, PrefixesInUnitsAndCharacterStarts) {
  const std::string text =
      "a\xC3\xA9\xF0\x9F\x98\x80"
      "b";                                              // units 1, 1, 2, 1
  const size_t bytesOfUnits[] = {0, 1, 3, 7, 7, 8, 8};  // a pair cut by the limit is taken whole
  for (size_t units = 0; units < std::size(bytesOfUnits); ++units)
    EXPECT_EQ(Utf8BytesOfUnits(text, units), bytesOfUnits[units]) << units;
  EXPECT_EQ(Utf8BytesOfUnits("\xFF\xFE\xFD", 2), 2u);
  const size_t starts[] = {0, 1, 1, 3, 3, 3, 3, 7, 8};
  for (size_t at = 0; at < std::size(starts); ++at)
    EXPECT_EQ(Utf8CharStart(text, at), starts[at]) << at;
  // A byte that belongs to no well-formed sequence starts its own character.
  EXPECT_EQ(Utf8CharStart("\xC3\xA9\x80", 2), 2u);
  EXPECT_EQ(Utf8CharStart("\x80\x80\x80\x80", 3), 3u);
  EXPECT_EQ(Utf8CharStart("\xF0\x9F\x98", 2), 2u);
  EXPECT_EQ(Utf8CharStart("\xC3\xA9", 1), 0u);
}
