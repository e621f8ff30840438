#pragma once

#include <objidl.h>

#include "logo_stream.h"

namespace thumbnails {

// A new thumbnail provider for logos of that kind, with the interface asked for, as a class
// factory hands it out.
HRESULT CreateProvider(LogoKind kind, REFIID id, void** object);

}  // namespace thumbnails
