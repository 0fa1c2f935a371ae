#include <gtest/gtest.h>

#include <string>

#include "image/image.h"

namespace {

using namespace std::string_literals;

// Small files of each format's structure, whole.
const std::string kJpeg = "\xFF\xD8"s + "\xFF\xE0\x00\x04JF"s +  // a segment with its length
                          "\xFF\xDA\x00\x03x"s +                 // the scan's header
                          "ab\xFF\x00"
                          "c\xFF\xD3"
                          "d\xFF\xD9"s;  // data with FF 00 and a restart
const std::string kPng =
    "\x89PNG\r\n\x1A\n"s + "\x00\x00\x00\x02IHDRab1234"s + "\x00\x00\x00\x00IENDcrc4"s;
const std::string kBmp = "BM\x10\x00\x00\x00"s + "0123456789"s;  // declares 16 bytes

bool Whole(const std::string& bytes) {
  ImageCompleteness check;
  check.Feed(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  return check.Whole();
}

TEST(ImageCompleteness, TellsWholeFilesFromCutOnes) {
  const struct {
    const char* name;
    std::string bytes;
    bool whole;
  } kCases[] = {
      {"jpeg", kJpeg, true},
      {"jpeg with trailing bytes", kJpeg + "trailer", true},
      {"jpeg cut before its end marker", kJpeg.substr(0, kJpeg.size() - 2), false},
      {"jpeg cut after its header", kJpeg.substr(0, 8), false},
      {"jpeg whose FF D9 is a segment's data", "\xFF\xD8\xFF\xE1\x00\x04\xFF\xD9"s, false},
      {"jpeg whose segment length is below 2", "\xFF\xD8\xFF\xE0\x00\x01\xFF\xD9"s, false},
      {"png", kPng, true},
      {"png cut in IEND", kPng.substr(0, kPng.size() - 1), false},
      {"png without IEND", kPng.substr(0, kPng.size() - 12), false},
      {"bmp", kBmp, true},
      {"bmp cut short", kBmp.substr(0, 15), false},
      {"bmp declaring less than its header", "BM\x05\x00\x00\x00xxxxxxxxxxxx"s, false},
      {"html", "<html>" + std::string(200, ' ') + "</html>", false},
      {"empty", "", false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Whole(c.bytes), c.whole);
    // Fed a byte at a time, as a slow transfer would.
    ImageCompleteness check;
    for (char byte : c.bytes) check.Feed(reinterpret_cast<const unsigned char*>(&byte), 1);
    EXPECT_EQ(check.Whole(), c.whole);
  }
}

}  // namespace
