#pragma once
// Font style sets and the style lists of the configuration ("fsBold,fsItalic,").
#include <cstdint>
#include <string>

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

class TFontStyles {
public:
    TFontStyles() = default;

    void Include(TFontStyle style) { bits_ = static_cast<std::uint8_t>(bits_ | Bit(style)); }
    bool Contains(TFontStyle style) const { return (bits_ & Bit(style)) != 0; }
    bool Empty() const { return bits_ == 0; }
    bool operator==(const TFontStyles&) const = default;

private:
    static std::uint8_t Bit(TFontStyle style) { return static_cast<std::uint8_t>(1u << style); }

    std::uint8_t bits_ = 0;
};

// Each name counts only when a "," follows it: "fsBold," is bold, "fsBold" alone is no style.
// Names are compared exactly ("fsbold," is ignored), unknown names are ignored.
TFontStyles ParseFontStyle(std::string text);
