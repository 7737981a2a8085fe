// The program's text on Windows against the record files' code page: a
// character that the code page holds only by a look-alike (best fit) or not
// at all never reaches a record.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/wide_text.h"

namespace {

using platform::win32::FromCodePage;
using platform::win32::ToCodePage;
using platform::win32::WidenText;

constexpr UINT kWestern = 1252;

TEST(WideTextTest, OnlyTextTheCodePageHoldsExactlyConvertsAndReadsBackAsItself) {
  if (::GetACP() != kWestern) GTEST_SKIP() << "the rows are those of the Western code page";
  struct Case {
    const char* what;
    std::string text;
    std::optional<std::string> recorded;
  };
  const Case cases[] = {
      {"plain", "C:\\Data\\a.", "C:\\Data\\a."},
      {"e acute", "caf\xC3\xA9", "caf\xE9"},
      {"euro sign", "\xE2\x82\xAC", "\x80"},
      {"fullwidth a, best fit a", "\xEF\xBD\x81" "bc", std::nullopt},
      {"fullwidth backslash, best fit \\", "a\xEF\xBC\xBC" "b", std::nullopt},
      {"Cyrillic", "\xD0\x96", std::nullopt},
      {"Chinese", "\xE4\xB8\xAD", std::nullopt},
      {"emoji", "\xF0\x9F\x98\x80", std::nullopt},
      {"no UTF-8: the code page already", "caf\xE9", "caf\xE9"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToCodePage(c.text), c.recorded) << c.what;
    if (c.recorded) {
      EXPECT_EQ(WidenText(FromCodePage(*c.recorded)), WidenText(c.text)) << c.what;
    }
  }
}

}  // namespace
