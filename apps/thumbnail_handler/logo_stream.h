#pragma once

#include <objidl.h>

#include "shell/base/dot_picture.h"

namespace thumbnails {

enum class LogoKind { Nsl, Nlm };

// The logo a stream holds, read from its start: a stream longer than any logo of the kind is
// refused on its reported size before a byte is read, and no more is ever read than the logo can
// take. Throws shell::FileAccessError for what is no logo, StreamError for a stream that fails.
shell::DotPicture ReadLogo(IStream& stream, LogoKind kind);

struct StreamError {
  HRESULT result;
};

}  // namespace thumbnails
