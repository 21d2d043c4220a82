#pragma once
// The driver's extension string: names separated by blanks.

#include <string_view>

namespace window {

// True only when one blank-separated name in `list` equals `name` exactly, so a name that
// merely begins another ("GL_ARB_multi" in "GL_ARB_multitexture") isn't found.
bool extensionListHas(std::string_view list, std::string_view name);

}  // namespace window
