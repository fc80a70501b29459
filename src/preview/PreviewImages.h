// The pictures of a deck's IMG tags, read from the files beside the deck: BMP by the system's own
// loader, PNG, GIF and JPEG through GDI+ (gdiplus.dll, a part of Windows since XP, looked up at
// run time so that the program imports nothing more). Kept while their files are unchanged.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "common/ScopedHandles.h"

class PreviewImages {
public:
  struct Picture {
    Bitmap bitmap;
    SIZE size{};
    FILETIME written{};
  };
  // SRC as the deck writes it, relative to `folder` (the deck file's folder, with a trailing
  // separator); nullptr when there is no folder, or the file is not there or not a picture.
  const Picture* Get(const std::wstring& folder, std::string_view src);

private:
  std::map<std::wstring, Picture> m_pictures;   // by full path
};
