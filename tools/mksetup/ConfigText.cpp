#include "tools/mksetup/ConfigText.h"

#include <algorithm>

#include "port/CodePageText.h"
#include "tools/mksetup/Utf8Text.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kWarnedLines = 10;  // a whole file in a code page would bury every other finding

bool IsAscii(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Where the line that starts at start ends, its line break included. Lines break as the readers split them
// (config/TextFields.h, SplitLines): at CR LF, LF or CR, so that the numbers here are theirs.
std::size_t LineEnd(std::string_view text, std::size_t start)
{
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) return text.size();
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') return end + 2;
    return end + 1;
}

std::string CodePageName(unsigned codePage)
{
    return "code page " + std::to_string(codePage);
}

// Reads each line with bytes above 0x7F in the code page; ASCII lines are the same in every code page a
// configuration can be saved in.
class CodePageReader {
public:
    CodePageReader(const std::string& file, unsigned codePage, Diagnostics& diagnostics)
        : file_(file), codePage_(codePage), diagnostics_(diagnostics)
    {
    }

    std::string Read(std::string_view text)
    {
        std::string utf8;
        int number = 0;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = LineEnd(text, start);
            const std::string_view line = text.substr(start, end - start);
            ++number;
            utf8 += IsAscii(line) || unknown_ ? std::string(line) : LineInUtf8(line, number);
            start = end;
        }
        if (converted_ > kWarnedLines)
            diagnostics_.push_back({Diagnostic::Warning, file_, firstUnlisted_, "",
                                    std::to_string(converted_ - kWarnedLines) +
                                        " more lines from here on were read in " + CodePageName(codePage_) +
                                        " and are stored in UTF-8"});
        return utf8;
    }

private:
    std::string LineInUtf8(std::string_view line, int number)
    {
        std::optional<std::string> utf8;
        try {
            utf8 = port::CodePageToUtf8(line, codePage_);
        } catch (const EUnknownCodePage& e) {
            unknown_ = true;
            Error(number, std::string(e.what()) +
                              "; the file is not UTF-8: save it in UTF-8 or name its code page "
                              "with --codepage");
            return std::string(line);
        }
        if (!utf8) {
            Error(number, "the line holds bytes that " + CodePageName(codePage_) +
                              " has no character for: save the file in UTF-8 or name its code page with --codepage");
            return std::string(line);
        }
        Warn(number, *utf8);
        return *utf8;
    }

    void Warn(int number, const std::string& utf8)
    {
        if (++converted_ > kWarnedLines) {
            if (firstUnlisted_ == 0) firstUnlisted_ = number;
            return;
        }
        std::string shown = utf8;
        while (!shown.empty() && (shown.back() == '\r' || shown.back() == '\n')) shown.pop_back();
        diagnostics_.push_back({Diagnostic::Warning, file_, number, shown,
                                "not UTF-8: read in " + CodePageName(codePage_) + " and stored in UTF-8"});
    }

    void Error(int number, const std::string& message)
    {
        diagnostics_.push_back({Diagnostic::Error, file_, number, "", message});
    }

    const std::string& file_;
    unsigned codePage_;
    Diagnostics& diagnostics_;
    bool unknown_ = false;  // said once, on the first line that needed the code page
    int converted_ = 0;
    int firstUnlisted_ = 0;
};

}  // namespace

std::string ConfigTextInUtf8(std::string_view bytes, const std::string& file, unsigned codePage,
                             Diagnostics& diagnostics)
{
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    if (IsUtf8(bytes)) return std::string(bytes);
    return CodePageReader(file, codePage, diagnostics).Read(bytes);
}
