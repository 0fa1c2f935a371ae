// A test that runs with GDI+ started, as the program runs after its start-up.
#pragma once

#include <gtest/gtest.h>

#include "image/image_win.h"

class GdiplusTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gdiplus_) << "GDI+ did not start"; }

 private:
  ScopedGdiplus gdiplus_ = StartGdiplus();
};
