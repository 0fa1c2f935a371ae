// Drops as the shell makes them, and a record of the images that the drop handling applies.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "browser/file_drop_win.h"
#include "support/seam_replacement.h"

// A drop handle listing paths (ANSI), valid in this process only; DragFinish frees it.
HDROP MakeDropHandle(const std::vector<std::string>& paths);

// Replaces the wallpaper setter of dropped images for the life of the object.
class AppliedImages {
 public:
  AppliedImages();
  AppliedImages(const AppliedImages&) = delete;
  AppliedImages& operator=(const AppliedImages&) = delete;

  // The paths handed over, in order, and the files' bytes as they were then.
  const std::vector<std::string>& Paths() const;
  const std::vector<std::string>& Contents() const;

 private:
  SeamReplacement<DroppedImageHandler> replacement_;
};
