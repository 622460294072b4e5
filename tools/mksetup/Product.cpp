#include "tools/mksetup/Product.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>

#include "compress/archive/ArchiveBudget.h"
#include "config/PictureTwin.h"
#include "config/TextFields.h"
#include "port/DosDateTime.h"
#include "port/Exception.h"
#include "port/FileStream.h"
#include "port/WholeFile.h"
#include "tools/mksetup/ConfigChecks.h"
#include "tools/mksetup/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

const char* const kScreen = "Setup Screen";

bool IsAbsoluteWindowsPath(const std::string& path)
{
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

std::string Slashed(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// Either slash separates names in a configured path.
std::string BareName(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return FileNamePart(path);
}

std::string ReadBytes(const std::string& path)
{
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) throw Exception("Cannot read " + path);
    return *bytes;
}

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string DateText(const port::TLocalTime& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second);
    return text;
}

// What an archive cannot carry of a support file: a size past its 32-bit sizes (an error), a date
// outside 1980 to 2107 (a warning: the nearest date it can hold is stored).
void CheckArchivable(Diagnostics& diagnostics, const std::string& source, const std::string& bare,
                     const std::string& file, int line, const std::string& where)
{
    FileStream in(source, FileMode::OpenRead);
    const std::int64_t size = in.Size();
    if (!TArchiveBudget().Fits(size, bare.size()))
        diagnostics.push_back({Diagnostic::Error, file, line, where,
                               "the file " + source + " is " + std::to_string(size) +
                                   " bytes, more than an archive can hold (" +
                                   std::to_string(TArchiveBudget::kMaxArchiveBytes) +
                                   " bytes with its header and name); split it or leave it out"});
    const port::TLocalTime date = in.LastWriteTime();
    if (!port::FitsDosDateTime(date))
        diagnostics.push_back({Diagnostic::Warning, file, line, where,
                               "the file " + source + " is dated " + DateText(date) +
                                   ", outside what an archive can hold (1980 to 2107); it is stored as " +
                                   DateText(*port::UnpackDosDateTime(port::PackDosDateTime(date)))});
}

// Support files by bare name, as the temporary directory will hold them (names without regard to case).
class FileCollector {
public:
    FileCollector(Product& product) : product_(product) {}

    void Add(const std::string& configuredPath, const std::string& file, int line, const std::string& where)
    {
        const std::string origin = file + (line > 0 ? ":" + std::to_string(line) : "") + " '" + where + "'";
        const std::string source = LocateSource(product_.dir, configuredPath);
        const std::string bare = BareName(configuredPath);
        std::error_code error;  // a name the file system refuses (too long, say) is a file that is not there
        if (!fs::is_regular_file(PathOf(source), error)) {
            product_.diagnostics.push_back({Diagnostic::Error, file, line, where,
                                            "the file " + source + " does not exist; put it there or correct the path"});
            return;
        }
        const auto [it, inserted] = byName_.emplace(Lower(bare), product_.files.size());
        if (!inserted) {
            const SupportFile& earlier = product_.files[it->second];
            if (fs::equivalent(PathOf(earlier.source), PathOf(source), error)) return;
            product_.diagnostics.push_back(
                {Diagnostic::Error, file, line, where,
                 "another file named " + bare + " (" + earlier.origin + ", " + earlier.source +
                     ") would overwrite it in the setup's temporary directory; rename one of them"});
            return;
        }
        product_.files.push_back({source, bare, origin});
        CheckArchivable(product_.diagnostics, source, bare, file, line, where);
    }

private:
    Product& product_;
    std::map<std::string, std::size_t> byName_;
};

// The source path of a finstall.cfg line: what remains after the destination tokens.
std::string SourcePathOf(std::string line)
{
    while (line.find('\t') != std::string::npos) SplitFirst(line, '\t');
    while (line.find(',') != std::string::npos) SplitFirst(line, ',');
    return line;
}

void CollectSupportFiles(Product& product)
{
    FileCollector collect(product);
    for (std::size_t i = 0; i < product.finstallLines.size(); ++i) {
        const std::string source = SourcePathOf(product.finstallLines[i]);
        if (source.empty() || source.back() == '\\' || source.back() == '/') continue;  // a directory line
        collect.Add(source, "finstall.cfg", static_cast<int>(i + 1), product.finstallLines[i]);
    }
    if (fs::is_regular_file(PathOf(product.dir) / "license.txt"))
        collect.Add("license.txt", "install.cfg", 0, "license.txt");
    for (const char* key : {"Logo File", "BitMap"}) {
        const ProfileKey* k = product.install.FindKey(kScreen, key);
        const std::string value = product.install.ReadString(kScreen, key, "");
        if (value.empty()) continue;
        collect.Add(value, "install.cfg", k->line, key);
        // A larger twin beside the picture travels with it, for screens above 96 DPI.
        const std::string twin = LargerTwinName(value);
        std::error_code error;
        if (fs::is_regular_file(PathOf(LocateSource(product.dir, twin)), error))
            collect.Add(twin, "install.cfg", k->line, key);
    }
    const ProfileSection* launch = product.install.FindSection("Launch Applications");
    for (const std::string& program : product.install.KeyNames("Launch Applications")) {
        int line = 0;
        for (const ProfileKey& k : launch->keys)
            if (k.name == program) line = k.line;
        collect.Add(program, "install.cfg", line, program);
    }
}

}  // namespace

std::string LocateSource(const std::string& productDir, const std::string& path)
{
    const fs::path dir = PathOf(productDir);
    if (!IsAbsoluteWindowsPath(path)) return NameOf((dir / PathOf(Slashed(path))).lexically_normal());
    std::error_code error;
    if (fs::exists(PathOf(path), error)) return path;
    return NameOf(dir / PathOf(BareName(path)));
}

Product LoadProduct(const std::string& dir, unsigned codePage)
{
    Product product;
    product.dir = dir;
    product.installText =
        ConfigTextInUtf8(ReadBytes(NameOf(PathOf(dir) / "install.cfg")), "install.cfg", codePage, product.diagnostics);
    product.finstallText = ConfigTextInUtf8(ReadBytes(NameOf(PathOf(dir) / "finstall.cfg")), "finstall.cfg", codePage,
                                            product.diagnostics);
    product.install = ProfileFile::Parse(product.installText);
    product.finstallLines = SplitLines(product.finstallText);
    CollectSupportFiles(product);
    CheckConfiguration(product);
    return product;
}
