#pragma once
// A JSON parser keeps the last of two equal keys in an object. A level source refuses a
// field given twice instead, as one of its two values would silently vanish.

#include <optional>
#include <string>
#include <string_view>

// For JSON text that parses (comments allowed): `<path>: field "<key>" appears twice` for the
// first repeated field, the path named as the compiler names entities ("polygons[2]", and
// "level" for the top object); nullopt when no object repeats a field.
std::optional<std::string> duplicateFieldError(std::string_view jsonText);
