#pragma once
// The background effect that a "Display Style" name stands for. Names are compared exactly; any other text
// (the key's own default "Horiz In" among them) names no effect, and the screen keeps the one it has.
#include <cstdint>
#include <optional>
#include <string>

// The effects are those of widgets/PanelTypes.h, which cannot sit beside the toolkit's label header.
enum TDirection : std::uint8_t;

std::optional<TDirection> DisplayStyleEffect(const std::string& name);
