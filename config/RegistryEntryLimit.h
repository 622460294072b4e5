#pragma once
// How many "INIREG n" entries of install.cfg's "INI\Registry" section a "Count" may ask for. A hostile Count must
// not make the setup read, nor the maker check, billions of keys and fill the memory with them; no real
// configuration comes near this many.
constexpr int kMaxRegistryEntries = 10000;
