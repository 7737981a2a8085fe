#include <gtest/gtest.h>

#include <string>

#include "toolkit/win32/text.h"

namespace {

using app::win32::FromWide;
using app::win32::TextBack;
using app::win32::ToWide;

// The program's 8-bit strings on their way to the screen and back.
TEST(Win32Text, ShownAsUtf8WhereValidElseAsTheAnsiCodePage) {
  struct Case {
    std::string bytes;
    std::wstring shown;
  };
  const Case cases[] = {
      {"", L""},
      {"Letters", L"Letters"},
      {"Caf\xC3\xA9", L"Caf\u00E9"},  // UTF-8
      {"Caf\xE9", L"Caf\u00E9"},      // Windows-1252, as the file calls give it
      {"\xC3", L"\u00C3"},            // a lone lead byte is no UTF-8
  };
  for (const Case& c : cases) EXPECT_EQ(ToWide(c.bytes), c.shown) << c.bytes;
}

TEST(Win32Text, TypedTextComesBackInTheCodePageWhenItFitsElseUtf8) {
  EXPECT_EQ(FromWide(L"Ann"), "Ann");
  EXPECT_EQ(FromWide(L"Caf\u00E9"), "Caf\xE9");
  EXPECT_EQ(FromWide(L"\u0416"), "\xD0\x96");  // Cyrillic has no place in Windows-1252
}

TEST(Win32Text, TextLeftAsItWasComesBackByteForByte) {
  for (const std::string bytes : {"Caf\xC3\xA9", "Caf\xE9", "plain"}) {
    EXPECT_EQ(TextBack(bytes, ToWide(bytes)), bytes);
  }
  EXPECT_EQ(TextBack("Caf\xC3\xA9", L"Cafe"), "Cafe");
}

}  // namespace
