// The bytes of a batch on the wire: Base64 and percent-encoding vectors, a gzip
// stream that an independent inflate reads back, the form body, and the track id.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cctype>
#include <cstring>
#include <string>

#include "analytics/sdk/batch_encoding.h"
#include "analytics/sdk/track_id.h"

namespace {

namespace be = zv_analytics::batch_encoding;

std::string Gunzip(const std::string& in) {
  z_stream s;
  std::memset(&s, 0, sizeof s);
  EXPECT_EQ(inflateInit2(&s, 16 + MAX_WBITS), Z_OK);
  s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  s.avail_in = static_cast<uInt>(in.size());
  std::string out;
  char buf[4096];
  int code = Z_OK;
  while (code == Z_OK) {
    s.next_out = reinterpret_cast<Bytef*>(buf);
    s.avail_out = sizeof buf;
    code = inflate(&s, Z_NO_FLUSH);
    out.append(buf, sizeof buf - s.avail_out);
  }
  EXPECT_EQ(code, Z_STREAM_END);
  EXPECT_EQ(s.avail_in, 0u) << "bytes after the gzip stream";
  inflateEnd(&s);
  return out;
}

std::string PercentDecode(const std::string& in) {
  std::string out;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] == '%' && i + 2 < in.size()) {
      out.push_back(static_cast<char>(std::stoi(in.substr(i + 1, 2), nullptr, 16)));
      i += 2;
    } else {
      out.push_back(in[i]);
    }
  }
  return out;
}

std::string Base64Decode(const std::string& in) {
  static const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  unsigned v = 0;
  int bits = 0;
  for (char c : in) {
    if (c == '=') break;
    v = (v << 6) | static_cast<unsigned>(kAlphabet.find(c));
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<char>((v >> bits) & 0xFF));
    }
  }
  return out;
}

TEST(BatchEncoding, Base64Rfc4648Vectors) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
      {std::string("\xFB\xFF\xBF", 3), "+/+/"}, {std::string("\x00\x00", 2), "AAA="},
  };
  for (const auto& c : cases) EXPECT_EQ(be::Base64(c.first), c.second) << c.first;
  // No line breaks however long the input.
  const std::string long_ = be::Base64(std::string(1000, 'x'));
  EXPECT_EQ(long_.size(), 1336u);
  EXPECT_EQ(long_.find('\n'), std::string::npos);
}

TEST(BatchEncoding, PercentEncodingKeepsOnlyUnreservedBytes) {
  const std::pair<std::string, std::string> cases[] = {
      {"AZaz09-._~", "AZaz09-._~"},
      {"a+b/c=", "a%2Bb%2Fc%3D"},
      {" %&", "%20%25%26"},
      {std::string("\x00\xFF\x7F", 3), "%00%FF%7F"},
  };
  for (const auto& c : cases) EXPECT_EQ(be::PercentEncode(c.first), c.second);
}

TEST(BatchEncoding, GzipStreamReadsBack) {
  std::string big;
  for (int i = 0; i < 5000; ++i) big += "{\"_track_id\":" + std::to_string(i * 7919 % 100000) + ",\"type\":\"track\"},";
  const std::string texts[] = {"", "[]", "[{\"a\":1}]", big, std::string(200000, '\x01')};
  for (const std::string& text : texts) {
    std::string gz;
    ASSERT_TRUE(be::Gzip(text, &gz));
    ASSERT_GE(gz.size(), 18u);
    EXPECT_EQ(static_cast<unsigned char>(gz[0]), 0x1F);
    EXPECT_EQ(static_cast<unsigned char>(gz[1]), 0x8B);
    EXPECT_EQ(gz[2], 8) << "deflate method";
    EXPECT_EQ(gz[8], 2) << "level 9 marks the header as slowest compression";
    EXPECT_EQ(Gunzip(gz), text);
  }
}

TEST(BatchEncoding, FormBodyDecodesToTheBatch) {
  const std::string batch = "[{\"distinct_id\":\"u1\",\"v\":\"\xC3\xA9 + / =\"},{\"n\":2}]";
  std::string body;
  ASSERT_TRUE(be::FormBody(batch, &body));
  ASSERT_EQ(body.rfind("data_list=", 0), 0u);
  ASSERT_GE(body.size(), 17u);
  EXPECT_EQ(body.substr(body.size() - 7), "&gzip=1");
  const std::string middle = body.substr(10, body.size() - 17);
  for (char c : middle) {
    EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '%' || c == '-' || c == '.' || c == '_' ||
                c == '~')
        << c;
  }
  EXPECT_EQ(Gunzip(Base64Decode(PercentDecode(middle))), batch);
}

TEST(TrackId, JoinsTheThreeParts) {
  struct Case { int r1, r2; long long ms; long long id; };
  const Case cases[] = {
      {0, 0, 1700000000000LL, 0},             // "00" "000" "0000"
      {98, 998, 1700000009999LL, 989989999},  // the largest
      {1, 2, 1700000001234LL, 10021234},      // "01" "002" "1234": leading zeros vanish
      {99, 999, 1700000000042LL, 42},         // the moduli wrap to 0
      {2147483647, 2147483647, 1234567, 12804567},
  };
  for (const Case& c : cases) EXPECT_EQ(zv_analytics::TrackIdFrom(c.r1, c.r2, c.ms), c.id) << c.r1 << " " << c.r2;
  for (int i = 0; i < 1000; ++i) {
    const long long id = zv_analytics::NewTrackId();
    EXPECT_GE(id, 0);
    EXPECT_LE(id, 989989999);
  }
}

}  // namespace
