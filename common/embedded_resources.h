#pragma once
// Files baked into the program at build time (fonts and placeholder images the game must have
// even when the data folder is damaged). cmake/embed_resources.cmake turns each file into a
// byte array and a registrar; the registrars run before main, so lookups made from main on
// see every resource of the program. The names are upper-case words ("DEFAULT_FONT",
// "DEFAULT_SPRITE", "DEFAULT_TEXTURE", "NO_TEXTURE"); callers may write them in any letter
// case, so they are matched without regard to ASCII case.

#include <initializer_list>
#include <span>
#include <string_view>

struct EmbeddedResource {
  std::string_view name;
  std::span<const unsigned char> bytes;
};

// Adds one resource. `name` and `bytes` must live for the whole program (generated code passes
// string literals and static arrays). When the name is already taken, in any letter case, the
// first registration stays and this one is ignored.
void registerEmbeddedResource(std::string_view name, std::span<const unsigned char> bytes);

// The resource named `name` in any letter case, or nullptr. The pointer stays valid for the
// life of the program.
const EmbeddedResource* findEmbeddedResource(std::string_view name);

// Registers a fixed list of resources when constructed; generated sources define one static
// instance each. Registration is not locked, so it belongs to static initialisation only.
class EmbeddedResourceRegistrar {
 public:
  EmbeddedResourceRegistrar(std::initializer_list<EmbeddedResource> resources);
};
