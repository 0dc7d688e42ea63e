// The small XML reader: the subset the skins use, and what it refuses.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "ui/toolkit/markup_parser.h"

using Vellum::CMarkupParser;
using Vellum::MarkupElement;

namespace {

bool Parse(const std::string& text, MarkupElement* root, std::wstring* error = nullptr) {
  return CMarkupParser::Parse(text.data(), text.size(), root, error);
}

TEST(MarkupParser, ReadsTheSubsetOfTheSkinFiles) {
  const std::string doc =
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<!-- a comment before the root -->\r\n"
      "<Window size=\"600,400\" caption='0,0,0,35'>\r\n"
      "  <Font id=\"0\" name=\"\xE5\xBE\xAE\xE8\xBD\xAF\xE9\x9B\x85\xE9\xBB\x91\" size=\"14\" default=\"true\"/>\r\n"
      "  <!-- <Label name=\"softNameLbl\" /> -->\r\n"
      "  <VerticalLayout name=\"winCtn\" >\r\n"
      "    <Label text=\"a &lt;b&gt; &amp; &quot;c&quot; &apos;d&apos; &#20320;&#x597D;\" text=\"again\"/>\r\n"
      "    stray text is skipped\r\n"
      "    <Control />\r\n"
      "  </VerticalLayout >\r\n"
      "</Window>\r\n"
      "<!-- and one after -->\r\n";
  MarkupElement root;
  std::wstring error;
  ASSERT_TRUE(Parse(doc, &root, &error)) << std::string(error.begin(), error.end());
  EXPECT_EQ(root.name, L"Window");
  ASSERT_EQ(root.attributes.size(), 2u);
  EXPECT_EQ(root.attributes[1].name, L"caption");
  EXPECT_EQ(root.attributes[1].value, L"0,0,0,35");
  ASSERT_EQ(root.children.size(), 2u);  // the commented-out label is not an element
  const MarkupElement& font = root.children[0];
  EXPECT_EQ(font.name, L"Font");
  EXPECT_EQ(font.attributes[1].value, L"\u5FAE\u8F6F\u96C5\u9ED1");
  EXPECT_TRUE(font.children.empty());
  const MarkupElement& layout = root.children[1];
  ASSERT_EQ(layout.children.size(), 2u);
  const MarkupElement& label = layout.children[0];
  ASSERT_EQ(label.attributes.size(), 2u);  // duplicates are kept in document order
  EXPECT_EQ(label.attributes[0].value, L"a <b> & \"c\" 'd' \u4F60\u597D");
  EXPECT_EQ(label.attributes[1].value, L"again");
  EXPECT_EQ(layout.children[1].name, L"Control");
}

TEST(MarkupParser, KeepsCharactersOutsideTheBasicPlane) {
  MarkupElement root;
  ASSERT_TRUE(Parse("<a t=\"\xF0\x9F\x98\x80|&#x1F600;\"/>", &root));
  std::wstring v = root.attributes[0].value;
  std::wstring one = sizeof(wchar_t) == 2 ? std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}
                                          : std::wstring(1, static_cast<wchar_t>(0x1F600));
  EXPECT_EQ(v, one + L"|" + one);
}

std::string Nested(int depth) {
  std::string s;
  for (int i = 0; i < depth; ++i) s += "<a>";
  for (int i = 0; i < depth; ++i) s += "</a>";
  return s;
}

struct BadCase {
  const char* what;
  std::string text;
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.what; }

class MarkupParserRefuses : public ::testing::TestWithParam<BadCase> {};

TEST_P(MarkupParserRefuses, AndLeavesAnEmptyRootAndAReason) {
  MarkupElement root;
  root.name = L"stale";
  std::wstring error;
  EXPECT_FALSE(Parse(GetParam().text, &root, &error)) << GetParam().what;
  EXPECT_TRUE(root.name.empty());
  EXPECT_TRUE(root.children.empty());
  EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarkupParserRefuses,
    ::testing::Values(BadCase{"empty", ""}, BadCase{"only a declaration", "<?xml version=\"1.0\"?>"},
                      BadCase{"unclosed root", "<Window><Control/>"},
                      BadCase{"mismatched end tag", "<Window></window>"},
                      BadCase{"two roots", "<a/><b/>"}, BadCase{"text after root", "<a/>x"},
                      BadCase{"unquoted value", "<a b=c/>"}, BadCase{"missing =", "<a b \"c\"/>"},
                      BadCase{"unterminated value", "<a b=\"c/>"},
                      BadCase{"attributes not separated", "<a b=\"1\"c=\"2\"/>"},
                      BadCase{"unknown entity", "<a b=\"&nbsp;\"/>"},
                      BadCase{"unterminated reference", "<a b=\"&amp\"/>"},
                      BadCase{"reference beyond unicode", "<a b=\"&#x110000;\"/>"},
                      BadCase{"reference to a surrogate", "<a b=\"&#xD800;\"/>"},
                      BadCase{"reference to nul", "<a b=\"&#0;\"/>"},
                      BadCase{"invalid UTF-8", "<a b=\"\xC3\x28\"/>"},
                      BadCase{"overlong UTF-8", "<a b=\"\xC0\xAF\"/>"},
                      BadCase{"truncated UTF-8", "<a b=\"\xE5\xBE\"/>"},
                      BadCase{"UTF-8 surrogate", "<a b=\"\xED\xA0\x80\"/>"},
                      BadCase{"unterminated comment", "<a><!-- x </a>"},
                      BadCase{"CDATA", "<a><![CDATA[x]]></a>"}, BadCase{"DOCTYPE", "<!DOCTYPE a><a/>"},
                      BadCase{"processing instruction inside", "<a><?pi x?></a>"},
                      BadCase{"'<' in a value", "<a b=\"<\"/>"}, BadCase{"no name", "< a/>"},
                      BadCase{"too deep", Nested(CMarkupParser::kMaxDepth + 1)}));

TEST(MarkupParser, AcceptsNestingUpToTheDepthCap) {
  MarkupElement root;
  ASSERT_TRUE(Parse(Nested(CMarkupParser::kMaxDepth), &root));
  int depth = 1;
  for (const MarkupElement* e = &root; !e->children.empty(); e = &e->children[0]) ++depth;
  EXPECT_EQ(depth, CMarkupParser::kMaxDepth);
}

TEST(MarkupParser, RefusesDocumentsAboveTheSizeCap) {
  std::string big = "<a b=\"" + std::string(CMarkupParser::kMaxDocumentSize, 'x') + "\"/>";
  MarkupElement root;
  EXPECT_FALSE(Parse(big, &root));
  std::string fits = "<a b=\"" + std::string(CMarkupParser::kMaxDocumentSize - 16, 'x') + "\"/>";
  EXPECT_TRUE(Parse(fits, &root));
}

}  // namespace
