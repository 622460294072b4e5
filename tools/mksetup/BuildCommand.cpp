// build: a product folder into a distribution (setup.exe, install.cfg, finstall.cfg, disk.001 ...), or
// into one setup.exe that carries them; either signed when asked.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "config/InstallScope.h"
#include "config/TextFields.h"
#include "payload/CarriedProgram.h"
#include "payload/PayloadWriter.h"
#include "port/Exception.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "segment/SegCompEZ.h"
#include "tools/mksetup/Commands.h"
#include "tools/mksetup/ConsoleInteraction.h"
#include "tools/mksetup/ExecutionLevel.h"
#include "tools/mksetup/ExitCodes.h"
#include "tools/mksetup/Methods.h"
#include "tools/mksetup/PathChecks.h"
#include "tools/mksetup/Product.h"
#include "tools/mksetup/ScratchArea.h"
#include "tools/mksetup/SetupProgram.h"
#include "tools/mksetup/Signing.h"
#include "tools/mksetup/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kFloppyBytes = 1457664;  // free bytes of a formatted 1.44 MB disk
constexpr std::int64_t kFloppySector = 512;
constexpr std::int64_t kProgressFrom = 1 << 20;  // smaller builds finish before a bar helps
const char* const kConfigFiles[] = {"install.cfg", "finstall.cfg"};

struct BuildOptions {
    std::string product;
    std::string dist;
    MethodChoice method;
    std::int32_t segSize = 1440000;
    bool floppy = false;
    std::string base = "disk";
    std::string setup;  // none named: the one installed with mksetup
    std::int32_t key = 0;
    bool singleFile = false;
    unsigned codePage = kDefaultCodePage;
    SignOptions sign;
};

struct Totals {
    std::map<std::string, std::int64_t> sizes;  // by staged name, for the progress bar
    std::size_t files = 0;
    std::int64_t bytesIn = 0;
    std::int64_t bytesCoded = 0;
    std::size_t disks = 0;
};

// A build goes into a new or empty folder: mixing it with an older set would leave stale disks.
void CheckOutputFolder(const std::string& dist)
{
    if (!fs::exists(PathOf(dist))) return;
    if (!fs::is_directory(PathOf(dist)) || !fs::is_empty(PathOf(dist)))
        throw Exception(dist + " exists and is not an empty folder; remove it or name another");
}

// Restores the current directory on every way out.
class CurrentDirGuard {
public:
    explicit CurrentDirGuard(const std::string& dir) : saved_(port::CurrentDir()) { port::SetCurrentDir(dir); }
    ~CurrentDirGuard()
    {
        try {
            port::SetCurrentDir(saved_);
        } catch (const std::exception&) {
            // The folder we started in is gone; the remaining paths are absolute, so going on is safe.
        }
    }
    CurrentDirGuard(const CurrentDirGuard&) = delete;
    CurrentDirGuard& operator=(const CurrentDirGuard&) = delete;

private:
    std::string saved_;
};

std::int64_t SectorsOf(const std::string& file)
{
    const auto size = static_cast<std::int64_t>(fs::file_size(PathOf(file)));
    return (size + kFloppySector - 1) / kFloppySector * kFloppySector;
}

// The set writer gives every segment the same size, so keeping room on disk 1 for setup.exe and the
// configuration as stored (in config) makes every disk that much smaller.
std::int32_t FloppySegmentSize(const BuildOptions& o, const std::string& config)
{
    std::int64_t reserved = SectorsOf(o.setup);
    for (const char* name : kConfigFiles) reserved += SectorsOf(config + name);
    const std::int64_t size = kFloppyBytes - reserved;
    if (size < TSegCompress::kMinSegSize)
        throw Exception("setup.exe and the configuration leave no room for data on a floppy disk");
    return static_cast<std::int32_t>(size);
}

bool ReportDiagnostics(const Product& product)
{
    for (const Diagnostic& d : product.diagnostics) std::cerr << NameOf(PathOf(product.dir) / "") << d.Text() << "\n";
    return !HasErrors(product.diagnostics);
}

// The staged copy keeps the date and the attributes of its source: the archive stores what it finds.
void StageFile(const SupportFile& file, const std::string& stage)
{
    const std::string staged = NameOf(PathOf(stage) / PathOf(file.name));
    fs::copy_file(PathOf(file.source), PathOf(staged));
    port::CopyLastWriteTime(file.source, staged);
    port::ApplyAttributes(staged, port::Attributes(file.source));
}

Totals Stage(const Product& product, const std::string& stage)
{
    Totals totals;
    for (const SupportFile& file : product.files) {
        StageFile(file, stage);
        const auto size = static_cast<std::int64_t>(fs::file_size(PathOf(file.source)));
        totals.sizes[file.name] = size;
        totals.bytesIn += size;
        ++totals.files;
    }
    return totals;
}

void WriteText(const std::string& path, const std::string& text)
{
    FileStream out(path, FileMode::Create);
    out.WriteBuffer(text.data(), text.size());
}

// The configuration as the distribution stores it (in UTF-8), in config.
void StageConfiguration(const Product& product, const std::string& config)
{
    WriteText(config + "install.cfg", product.installText);
    WriteText(config + "finstall.cfg", product.finstallText);
}

void ShowProgress(std::int64_t done, std::int64_t total)
{
    constexpr int kWidth = 40;
    const int filled = total > 0 ? static_cast<int>(done * kWidth / total) : kWidth;
    std::cout << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
              << std::string(static_cast<std::size_t>(kWidth - filled), ' ') << "] "
              << (total > 0 ? done * 100 / total : 100) << "%" << std::flush;
}

// Codes the staged files into segments in out; the template is relative so that no path of this
// machine travels in the set.
void BuildSet(const BuildOptions& o, const ScratchArea& area, const Totals& totals, const std::string& out)
{
    TSegCompEZ c;
    c.SegBuildMode = bmFlat;
    c.SegCompType = o.method.Method();
    o.method.ApplyTo(c);
    c.Key = o.key;
    c.SetSegSize(o.floppy ? FloppySegmentSize(o, area.Dir("config")) : o.segSize);
    c.SetSegBaseName(o.base);
    c.SetSegDir(out);
    c.SetSegTmpDir(area.Dir("tmp"));
    c.SegSource = {"stage\\*.*"};
    const bool bar = StdoutIsTerminal() && totals.bytesIn >= kProgressFrom;
    std::int64_t done = 0;
    c.OnCheckFile = [&](std::string& path, TCProcessMode) {
        if (bar) ShowProgress(done, totals.bytesIn);
        const auto size = totals.sizes.find(FileNamePart(path));
        if (size != totals.sizes.end()) done += size->second;
    };
    const CurrentDirGuard here(NameOf(area.Root()));
    c.SegBuild();
    if (bar) {
        ShowProgress(totals.bytesIn, totals.bytesIn);
        std::cout << "\n";
    }
}

// The setup program with the execution level the product's scope needs: a copy in the working folder when the
// level changes, before anything is signed, so that every setup.exe the build ships asks for it.
std::string SetupProgramFor(const Product& product, const std::string& setup, const ScratchArea& area)
{
    const std::optional<std::string_view> level =
        ExecutionLevelFor(ParseInstallScope(product.install.ReadString("Setup Screen", "Install Scope", "")));
    if (!level) return setup;
    const std::string fitted = area.Dir("program") + "setup.exe";
    WriteWithExecutionLevel(setup, fitted, *level);
    fs::permissions(PathOf(fitted), fs::status(PathOf(setup)).permissions());  // shipped as a copy would be
    return fitted;
}

// Signs a program of the build where it lies.
void SignInPlace(const SignOptions& sign, const std::string& program, const ScratchArea& area)
{
    const std::string signedCopy = area.Dir("signed") + "setup.exe";
    SignProgram(sign, program, signedCopy);
    fs::remove(PathOf(program));
    fs::rename(PathOf(signedCopy), PathOf(program));
}

// The finished folder's files carried by one setup.exe: the setup program stays unsigned as the stub (a
// signature must come last), and the copy it carries, which becomes the uninstaller, is signed already and
// travels as its difference from the stub. Returns the folder that holds the single file.
std::string PackSingleFile(const BuildOptions& o, const ScratchArea& area, const std::string& folder)
{
    std::vector<std::string> disks;
    for (const auto& entry : fs::directory_iterator(PathOf(folder))) {
        const std::string name = NameOf(entry.path().filename());
        if (name != "setup.exe" && std::find(std::begin(kConfigFiles), std::end(kConfigFiles), name) == std::end(kConfigFiles))
            disks.push_back(name);
    }
    std::sort(disks.begin(), disks.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;  // disk.999 before disk.1000
    });
    const std::string difference = area.Dir("carried") + "setup.dif";
    const std::vector<unsigned char> bytes = ProgramDifference(o.setup, folder + "setup.exe");
    FileStream(difference, FileMode::Create).WriteBuffer(bytes.data(), bytes.size());
    std::vector<TPayloadMember> members{{"setup.exe", difference}};
    for (const char* name : kConfigFiles) members.push_back({name, folder + name});
    for (const std::string& disk : disks) members.push_back({disk, folder + disk});
    const std::string single = area.Dir("single") + "setup.exe";
    WriteSingleFile(o.setup, members, single);
    if (o.sign.Wanted()) SignInPlace(o.sign, single, area);
    return area.Dir("single");
}

void PrintSummary(const BuildOptions& o, const Totals& t)
{
    const double ratio = t.bytesIn > 0 ? 100.0 * static_cast<double>(t.bytesCoded) / static_cast<double>(t.bytesIn) : 100.0;
    std::cout << o.dist << ": " << t.files << " files, " << t.bytesIn << " bytes in, " << t.bytesCoded
              << " bytes coded (" << std::fixed << std::setprecision(1) << ratio << "%), " << t.disks
              << (t.disks == 1 ? " disk" : " disks");
    if (o.singleFile) std::cout << " in one setup.exe of " << fs::file_size(PathOf(o.dist) / "setup.exe") << " bytes";
    std::cout << (o.sign.Wanted() ? ", signed\n" : "\n");
}

int Build(BuildOptions o)
{
    if (o.setup.empty()) o.setup = DefaultSetupProgram();
    // The set is built with the working folder as current directory: every other path is made absolute.
    for (std::string* path : {&o.product, &o.dist, &o.setup, &o.sign.cert, &o.sign.key, &o.sign.passFile})
        if (!path->empty()) *path = NameOf(fs::absolute(PathOf(*path)));
    // "-o dist/" names the folder dist: its working area goes beside it, not into it.
    while (o.dist.size() > 1 && PathOf(o.dist).filename().empty()) o.dist = NameOf(PathOf(o.dist).parent_path());
    CheckOutputFolder(o.dist);
    if (!fs::is_regular_file(PathOf(o.setup)))
        throw Exception("the setup program " + o.setup + " named by --setup does not exist");
    const Product product = LoadProduct(o.product, o.codePage);
    if (!ReportDiagnostics(product)) {
        std::cerr << "mksetup: the configuration has errors; nothing was written to " << o.dist << "\n";
        return kExitError;
    }
    const ScratchArea area(o.dist);
    o.setup = SetupProgramFor(product, o.setup, area);
    Totals totals = Stage(product, area.Dir("stage"));
    StageConfiguration(product, area.Dir("config"));
    std::string out = area.Dir("out");
    BuildSet(o, area, totals, out);
    for (const auto& entry : fs::directory_iterator(PathOf(out))) {
        totals.bytesCoded += static_cast<std::int64_t>(entry.file_size());
        ++totals.disks;
    }
    fs::copy_file(PathOf(o.setup), PathOf(out) / "setup.exe");
    for (const char* name : kConfigFiles) fs::copy_file(PathOf(area.Dir("config")) / name, PathOf(out) / name);
    if (o.sign.Wanted()) SignInPlace(o.sign, out + "setup.exe", area);
    if (o.singleFile) out = PackSingleFile(o, area, out);
    if (fs::exists(PathOf(o.dist))) fs::remove(PathOf(o.dist));  // checked empty above
    fs::rename(PathOf(out), PathOf(o.dist));
    PrintSummary(o, totals);
    return kExitOk;
}

}  // namespace

Command AddBuildCommand(CLI::App& app)
{
    auto o = std::make_shared<BuildOptions>();
    CLI::App* sub = app.add_subcommand("build", "make a distribution from a product folder");
    sub->add_option("PRODUCT_DIR", o->product, "folder with install.cfg, finstall.cfg and the files they name")
        ->required()
        ->check(ExistingFolderCheck());
    sub->add_option("-o,--output", o->dist, "distribution folder to write (new or empty)")->required();
    sub->add_option("--method", o->method.row, "coding method (default lh5; lzma for the smallest distribution)")
        ->transform(CLI::CheckedTransformer(MethodNames(), CLI::ignore_case))
        ->option_text(MethodNameList());
    CLI::Option* segSize = sub->add_option("--seg-size", o->segSize, "bytes per disk file (default 1440000)")
                               ->check(CLI::Range(TSegCompress::kMinSegSize, 2147483647));
    sub->add_flag("--floppy", o->floppy, "1,457,664-byte disks, with room on disk 1 for setup.exe and the configuration")
        ->excludes(segSize);
    sub->add_option("--base", o->base, "base name of the disk files (default disk; the setup program reads disk)");
    sub->add_option("--setup", o->setup, "setup program to ship (default: the setup.exe installed with mksetup)");
    sub->add_option("--key", o->key, "lock the entries with this key (the setup program expands with key 0)");
    sub->add_flag("--single-file", o->singleFile, "write one setup.exe that carries the whole distribution")
        ->excludes("--floppy");
    sub->add_option("--codepage", o->codePage,
                    "read install.cfg and finstall.cfg that are not UTF-8 in this Windows code page (default 1252); "
                    "the distribution stores them in UTF-8");
    CLI::Option* cert =
        sub->add_option("--sign-cert", o->sign.cert, "sign setup.exe with this certificate (osslsigncode)")
            ->check(ExistingFileCheck());
    CLI::Option* key =
        sub->add_option("--sign-key", o->sign.key, "the certificate's private key")->check(ExistingFileCheck());
    cert->needs(key);
    key->needs(cert);
    sub->add_option("--sign-pass-file", o->sign.passFile, "file holding the key's password")
        ->check(ExistingFileCheck())
        ->needs(cert);
    sub->add_option("--timestamp-url", o->sign.timestampUrl, "RFC 3161 time-stamping server for the signature")->needs(cert);
    return [o] { return Build(*o); };
}
