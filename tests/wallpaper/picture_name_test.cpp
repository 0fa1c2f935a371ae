#include <gtest/gtest.h>

#include "wallpaper/picture_name.h"

namespace {

TEST(PictureName, PlainNamesAreAccepted) {
  for (const char* name : {"12345.jpg", "a", "Tapeta_2-b(1).JPEG", "x.y.z", "COM10.jpg",
                           "console.jpg", "com0.jpg", "lpt.jpg", "wall.bmp2", "mycustom.jpg"}) {
    EXPECT_TRUE(IsSafePictureName(name)) << name;
  }
  EXPECT_TRUE(IsSafePictureName(std::string(116, 'a') + ".jpg"));
}

TEST(PictureName, NamesThatLeaveTheFolderOrChangeOnTheWayAreRefused) {
  for (const char* name :
       {"",          "..\\x.jpg",    "../x.jpg", "a/b.jpg",  "a\\b.jpg", "C:x.jpg",
        "C:\\x.jpg", "..",           ".hidden",  "x.",       "a b.jpg",  "a'b.jpg",
        "a#b.jpg",   "a?b.jpg",      "a%41.jpg", "a&b.jpg",  "<b>.jpg",  "x.jpg ",
        "\t.jpg",    "\xC5\xBC.jpg", "a*.jpg",   "a\"b.jpg", "a|b.jpg",  "a:b.jpg"}) {
    EXPECT_FALSE(IsSafePictureName(name)) << name;
  }
  EXPECT_FALSE(IsSafePictureName(std::string(117, 'a') + ".jpg"));
  EXPECT_FALSE(IsSafePictureName(std::string("a\0b.jpg", 7)));
}

TEST(PictureName, DeviceNamesAndTheProgramsOwnFilesAreRefused) {
  for (const char* name :
       {"CON", "con.jpg", "Prn.jpg", "AUX", "nul.tar.gz", "COM1.jpg", "com9", "LPT1.jpg",
        "lpt9.png", "wall.bmp", "WALL.BMP", "custom.jpg", "Custom.JPG"}) {
    EXPECT_FALSE(IsSafePictureName(name)) << name;
  }
}

}  // namespace
