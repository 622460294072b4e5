#pragma once
// The gradient panel's vocabulary: its colour values and the enumerations of its look (ordinals from 0).
#include <cstdint>

// 0x00BBGGRR for a literal colour (red in the low byte), 0x800000nn for system colour nn.
using TColor = std::uint32_t;

enum TDirection : std::uint8_t {
    bdFlat,
    bdStretchImage,
    bdTileImage,
    bdUp,
    bdDown,
    bdLeft,
    bdRight,
    bdHorzIn,
    bdHorzOut,
    bdVertIn,
    bdVertOut
};

enum TTextEffect : std::uint8_t { tenone, teShadow, teRaised, teLowered, teEmbossed };

enum TTextRotation : std::uint8_t { trNone, TrUp, TrDown };

enum TVertAlign : std::uint8_t { vlTop, vlCenter, VlBottom };

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
