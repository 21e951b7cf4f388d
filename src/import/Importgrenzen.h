#pragma once
// Bounds that keep a damaged or hostile file from costing time or memory.

#include <cstddef>

namespace kw {

inline constexpr std::size_t Import_Max_Bytes = 4u * 1024u * 1024u;  // larger: no recipe file
inline constexpr int Import_Max_Eintraege = 50000;  // recipes, steps, ingredients, hops together
inline constexpr int Import_Max_Tiefe = 64;          // element nesting

} // namespace kw
