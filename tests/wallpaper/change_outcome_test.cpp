#include <gtest/gtest.h>

#include "wallpaper/change_outcome.h"

namespace {

TEST(ChangeLogText, TellsOriginSubjectResultAndDuration) {
  ChangeOutcome refused(ChangeFailure::ServiceError);
  refused.serviceText = "Brak tapet";
  const struct {
    ChangeOrigin origin;
    const char* subject;
    ChangeOutcome outcome;
    const char* text;
  } cases[] = {
      {ChangeOrigin::Menu, "pool 1", ChangeOutcome(), "change (menu) pool 1: ok, 812 ms"},
      {ChangeOrigin::Timer, "pool from the settings", ChangeFailure::NoConnection,
       "change (timer) pool from the settings: failed, no connection, 812 ms"},
      {ChangeOrigin::SecondCopy, "id 5", refused,
       "change (second copy) id 5: failed, service error: \"Brak tapet\", 812 ms"},
      {ChangeOrigin::Link, "link a.pl/b.png", ChangeFailure::TimeOut,
       "change (link) link a.pl/b.png: failed, time-out, 812 ms"},
      {ChangeOrigin::Drop, "file C:\\a.txt", ChangeFailure::NotImage,
       "change (drop) file C:\\a.txt: failed, not an image, 812 ms"},
      {ChangeOrigin::Page, "file C:\\1.jpg", ChangeFailure::CannotSave,
       "change (page) file C:\\1.jpg: failed, cannot save wall.bmp, 812 ms"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ChangeLogText(c.origin, c.subject, c.outcome, 812), c.text);
  }
}

TEST(ChangeOutcome, OnlyAMissingAnswerIsUnreachable) {
  for (int f = static_cast<int>(ChangeFailure::None);
       f <= static_cast<int>(ChangeFailure::CannotSet); ++f) {
    const auto failure = static_cast<ChangeFailure>(f);
    SCOPED_TRACE(f);
    EXPECT_EQ(IsUnreachable(failure),
              failure == ChangeFailure::NoConnection || failure == ChangeFailure::TimeOut);
    EXPECT_EQ(static_cast<bool>(ChangeOutcome(failure)), failure == ChangeFailure::None);
  }
  EXPECT_EQ(PoolSubject(WallpaperPool::Added), "pool 4");
  EXPECT_EQ(PoolSubject(WallpaperPool::FromSettings), "pool from the settings");
}

}  // namespace
