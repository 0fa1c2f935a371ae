// What the tests that run the program's own code change on the machine they run on: the user's
// config.dat, wall.bmp, screens.txt and kolorowisko.log, the desktop's style values and wallpaper
// setting. A UserStateGuard records them and puts them back when the test's scope ends, so that a
// run on a real Windows machine leaves it as it was.
#pragma once

#include <optional>
#include <string>

class UserStateGuard {
 public:
  UserStateGuard();
  ~UserStateGuard();
  UserStateGuard(const UserStateGuard&) = delete;
  UserStateGuard& operator=(const UserStateGuard&) = delete;

 private:
  // A file's bytes, or nothing when it was missing.
  std::optional<std::string> config_;
  std::optional<std::string> wall_;
  std::optional<std::string> screens_;
  std::optional<std::string> log_;
  std::optional<std::string> tileWallpaper_;
  std::optional<std::string> wallpaperStyle_;
  std::string wallpaper_;
};
