#include <gtest/gtest.h>

#include "recent/picture_name.h"

namespace {

TEST(PictureName, NamesWindowsAllowsAreAccepted) {
  for (const char* name :
       {"12345.jpg", "a", "Tapeta_2-b(1).JPEG", "x.y.z", "COM10.jpg", "console.jpg", "com0.jpg",
        "lpt.jpg", "wall.bmp2", "mycustom.jpg", "a b.jpg", "\xBF\xF3\xB3w.jpg", "a+b,c!&d.jpg",
        ".hidden", "a'b#c%41.png", "kol.jpg", "kolano.tmp.jpg"}) {
    EXPECT_TRUE(IsSafePictureName(name)) << name;
  }
  EXPECT_TRUE(IsSafePictureName(std::string(116, 'a') + ".jpg"));
}

TEST(PictureName, NamesThatLeaveTheFolderOrAreNoFileNameAreRefused) {
  for (const char* name : {"", "..\\x.jpg", "../x.jpg", "a/b.jpg", "a\\b.jpg", "C:x.jpg",
                           "C:\\x.jpg", "..", ".", "x.", "x.jpg ", "\t.jpg", "a\nb.jpg", "a?b.jpg",
                           "<b>.jpg", "a*.jpg", "a\"b.jpg", "a|b.jpg", "a:b.jpg"}) {
    EXPECT_FALSE(IsSafePictureName(name)) << name;
  }
  EXPECT_FALSE(IsSafePictureName(std::string(117, 'a') + ".jpg"));
  EXPECT_FALSE(IsSafePictureName(std::string("a\0b.jpg", 7)));
}

TEST(PictureName, DeviceNamesAndTheProgramsOwnFilesAreRefused) {
  for (const char* name : {"CON", "con.jpg", "Prn.jpg", "AUX", "nul.tar.gz", "COM1.jpg", "com9",
                           "LPT1.jpg", "lpt9.png", "nul .jpg", "CONOUT$", "wall.bmp", "WALL.BMP",
                           "custom.jpg", "Custom.JPG", "kol1A2B.tmp", "KOL3.TMP"}) {
    EXPECT_FALSE(IsSafePictureName(name)) << name;
  }
}

}  // namespace
