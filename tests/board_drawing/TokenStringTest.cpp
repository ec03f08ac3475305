// The token string on explicit Shift-JIS bytes.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "CTokenString.h"

namespace {

std::vector<std::string> Tokens(const CTokenString& s) {
  std::vector<std::string> out;
  for (int i = 0; i < s.GetTokenCount(); ++i) out.push_back(s.GetToken(i));
  return out;
}

struct SplitCase {
  const char* text;
  char delimiter;
  std::vector<std::string> tokens;
};

TEST(TokenString, SplitTable) {
  const SplitCase cases[] = {
      {"a\\b", '\\', {"a", "b"}},
      {"a\\\\b", '\\', {"a", "", "b"}},
      {"a\\", '\\', {"a"}},
      {"\\a", '\\', {"", "a"}},
      {"", '\\', {}},
      // 0x95 0x5C is one character whose trail byte is a backslash.
      {"\x95\x5C\\x", '\\', {"\x95\x5C", "x"}},
      {"C:\\\x95\x5C\\\x83\x5C", '\\', {"C:", "\x95\x5C", "\x83\x5C"}},
      // A lead byte at the very end stays alone; nothing past the terminator is read.
      {"ab\\\x95", '\\', {"ab", "\x95"}},
      {"\x95", '\\', {"\x95"}},
      {"l1\nl2\n", '\n', {"l1", "l2"}},
      {"a\x07" "b", '\x07', {"a", "b"}},
  };
  for (const SplitCase& c : cases) {
    CTokenString s(c.text);
    s.Split(c.delimiter);
    EXPECT_EQ(Tokens(s), c.tokens) << c.text;
  }
}

TEST(TokenString, SplitsAccumulateUntilSetText) {
  CTokenString s("a\\b");
  s.Split('\\');
  s.Split('\\');
  EXPECT_EQ(Tokens(s), (std::vector<std::string>{"a", "b", "a", "b"}));
  s.SetText(NULL);  // keeps the text, drops the tokens
  EXPECT_STREQ(s.GetText(), "a\\b");
  EXPECT_EQ(s.GetTokenCount(), 0);
}

TEST(TokenString, GetTokenBounds) {
  CTokenString empty(NULL);
  ASSERT_NE(empty.GetToken(-1), nullptr);
  EXPECT_STREQ(empty.GetToken(-1), "");
  EXPECT_EQ(empty.GetToken(0), nullptr);

  CTokenString s("x,,y");
  s.Split(',');
  ASSERT_EQ(s.GetTokenCount(), 3);
  EXPECT_STREQ(s.GetToken(1), "");
  EXPECT_EQ(s.GetToken(3), nullptr);
  EXPECT_EQ(s.GetToken(-2), nullptr);
  EXPECT_STREQ(s.GetToken(-1), "x,,y");
}

TEST(TokenString, Replace) {
  CTokenString s("one\r\ntwo\r\n");
  EXPECT_EQ(s.Replace("\r\n", "\n"), 2);
  EXPECT_STREQ(s.GetText(), "one\ntwo\n");

  // Replacements are not scanned again.
  CTokenString grow("aa");
  EXPECT_EQ(grow.Replace("a", "aa"), 2);
  EXPECT_STREQ(grow.GetText(), "aaaa");

  // An empty pattern changes nothing instead of matching forever.
  CTokenString e("abc");
  EXPECT_EQ(e.Replace("", "x"), 0);
  EXPECT_STREQ(e.GetText(), "abc");

  CTokenString tail("ab\r");
  EXPECT_EQ(tail.Replace("\r\n", "\x07"), 0);
  EXPECT_STREQ(tail.GetText(), "ab\r");
}

TEST(TokenString, RemoveChar) {
  CTokenString n("1,000");
  n.RemoveChar(',');
  EXPECT_STREQ(n.GetText(), "1000");

  // 0x82 0x2C: a double-byte character whose trail byte is a comma.
  CTokenString t("\x82\x2C,5");
  t.RemoveChar(',');
  EXPECT_STREQ(t.GetText(), "\x82\x2C" "5");

  CTokenString lone("1,\x82");
  lone.RemoveChar(',');
  EXPECT_STREQ(lone.GetText(), "1\x82");
}

TEST(TokenString, ExpandTabs) {
  CTokenString s("ab\tc");
  EXPECT_EQ(s.ExpandTabs(4), 5);
  EXPECT_STREQ(s.GetText(), "ab  c");

  CTokenString at4("abcd\tx");
  EXPECT_EQ(at4.ExpandTabs(4), 9);
  EXPECT_STREQ(at4.GetText(), "abcd    x");

  // A double-byte character counts two columns.
  CTokenString dbcs("\x88\x9F\tz");
  EXPECT_EQ(dbcs.ExpandTabs(4), 5);
  EXPECT_STREQ(dbcs.GetText(), "\x88\x9F  z");

  CTokenString zero("a\tb");
  EXPECT_EQ(zero.ExpandTabs(0), 3);
  EXPECT_STREQ(zero.GetText(), "a\tb");

  CTokenString lone("\t\x88");
  EXPECT_EQ(lone.ExpandTabs(16), 17);
}

TEST(TokenString, ReadFile) {
  CTokenString missing("old");
  EXPECT_FALSE(missing.ReadFile("no-such-folder/no-such-file.txt"));
  EXPECT_STREQ(missing.GetText(), "");

  // Over one chunk long, with a NUL that ends its chunk's contribution only.
  std::string body(1500, 'a');
  body[10] = '\0';
  body[1200] = 'b';
  const char* path = "token_string_read.txt";
  FILE* f = fopen(path, "wb");
  ASSERT_NE(f, nullptr);
  fwrite(body.data(), 1, body.size(), f);
  fclose(f);

  CTokenString s("x\\y");
  s.Split('\\');
  ASSERT_TRUE(s.ReadFile(path));
  EXPECT_EQ(s.GetTokenCount(), 0);
  std::string expected = std::string(10, 'a') + body.substr(1023);
  EXPECT_EQ(std::string(s.GetText()), expected);
  remove(path);
}

}  // namespace
