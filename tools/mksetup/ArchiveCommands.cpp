// archive, list and extract: whole archives of files.
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <memory>

#include "compress/Compress.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "tools/mksetup/Commands.h"
#include "tools/mksetup/ExitCodes.h"
#include "tools/mksetup/Methods.h"
#include "tools/mksetup/PathChecks.h"
#include "tools/mksetup/ScratchArea.h"
#include "tools/mksetup/SetCommands.h"
#include "tools/mksetup/StoredNames.h"
#include "tools/mksetup/Utf8Path.h"

namespace {

struct ArchiveOptions {
    MethodChoice method;
    std::int32_t key = 0;
    std::string archive;
    std::string directory;
    std::vector<std::string> files;
    std::string caFile;
};

int WriteArchive(const ArchiveOptions& o)
{
    std::vector<TArchiveSource> sources;
    for (const std::string& file : o.files) sources.push_back({file, StoredNameFor(file)});
    const std::string partial = o.archive + ".partial";
    std::int32_t total = 0;
    try {
        FileStream out(partial, FileMode::Create);
        TCompress c;
        c.Key = o.key;
        o.method.ApplyTo(c);
        total = c.CompressFiles(out, sources, o.method.Method());
    } catch (...) {
        std::filesystem::remove(PathOf(partial));  // no half-written archive is left behind
        throw;
    }
    std::filesystem::rename(PathOf(partial), PathOf(o.archive));
    std::cout << o.archive << ": " << sources.size() << " files, " << total << " bytes in, "
              << std::filesystem::file_size(PathOf(o.archive)) << " bytes written\n";
    return kExitOk;
}

// The archive header's identifier, which names the method of coCustom entries.
std::string ArchiveMethodId(TCompress& c, const std::string& archive)
{
    FileStream in(archive, FileMode::OpenRead);
    return c.ReadArchiveHeader(in).MethodId;
}

int ListArchive(const ArchiveOptions& o)
{
    TCompress c;
    TArchiveList list;
    c.ScanArchive(o.archive, list);
    const std::string methodId = ArchiveMethodId(c, o.archive);
    std::cout << std::left << std::setw(40) << "name" << std::setw(8) << "method" << std::right << std::setw(12)
              << "size" << std::setw(12) << "coded" << std::setw(8) << "ratio" << std::setw(12) << "checksum"
              << "  locked\n";
    for (const auto& [name, info] : list) {
        const double ratio = info.ExpandedSize > 0 ? 100.0 * info.CompressedSize / info.ExpandedSize : 100.0;
        std::cout << std::left << std::setw(40) << name << std::setw(8) << MethodName(info.Method, methodId) << std::right
                  << std::setw(12) << info.ExpandedSize << std::setw(12) << info.CompressedSize << std::setw(7)
                  << std::fixed << std::setprecision(1) << ratio << "%" << std::setw(12)
                  << static_cast<std::uint32_t>(info.Checksum) << "  " << (info.Locked ? "yes" : "no") << "\n";
    }
    std::cout << list.size() << " entries\n";
    return kExitOk;
}

int ExtractArchive(const ArchiveOptions& o)
{
    std::filesystem::create_directories(PathOf(o.directory));
    TCompress c;
    c.SetTargetPath(o.directory);
    c.Key = o.key;
    c.MakeDirectories = true;
    c.ExceptionOnFileError = true;
    int refused = 0;
    c.OnCheckFile = [&](std::string& path, TCProcessMode) {
        if (ConfinedTo(c.TargetPath(), path)) return;
        std::cerr << "mksetup: refused " << path << ": it would be written outside " << o.directory << "\n";
        path.clear();
        ++refused;
    };
    std::vector<std::string> written;
    TArchiveList entries;
    c.ScanArchive(o.archive, entries);
    for (const auto& entry : entries) written.push_back(entry.Name);
    c.ExpandArchive(o.archive, &written);
    for (const std::string& path : written) std::cout << path << "\n";
    std::cout << written.size() << " files written to " << o.directory << "\n";
    return refused == 0 ? kExitOk : kExitError;
}

// Expanding into a scratch folder checks every entry's checksum.
int VerifyArchive(const ArchiveOptions& o)
{
    const ScratchArea area(NameOf(std::filesystem::temp_directory_path() / "mksetup"));
    TCompress c;
    c.SetTargetPath(area.Dir("files"));
    c.Key = o.key;
    c.MakeDirectories = true;
    c.ExceptionOnFileError = true;
    std::size_t outside = 0;
    c.OnCheckFile = [&](std::string& path, TCProcessMode) {
        if (ConfinedTo(c.TargetPath(), path)) return;
        path.clear();  // nothing to check outside the scratch folder
        ++outside;
    };
    std::vector<std::string> written;
    TArchiveList entries;
    c.ScanArchive(o.archive, entries);
    for (const auto& entry : entries) written.push_back(entry.Name);
    c.ExpandArchive(o.archive, &written);
    if (!AllExpanded(o.archive, entries.size() - outside, written.size())) return kExitError;
    std::cout << o.archive << ": " << written.size() << " files, every checksum good\n";
    return kExitOk;
}

}  // namespace

Command AddArchiveCommand(CLI::App& app)
{
    auto o = std::make_shared<ArchiveOptions>();
    CLI::App* sub = app.add_subcommand("archive", "write an archive of files");
    sub->add_option("-o,--output", o->archive, "archive to write")->required();
    sub->add_option("--method", o->method.row, "coding method (default lh5)")
        ->transform(CLI::CheckedTransformer(MethodNames(), CLI::ignore_case))
        ->option_text(MethodNameList());
    sub->add_option("--key", o->key, "lock the entries with this key");
    sub->add_option("FILE", o->files, "files to put in; stored under their relative paths")->required();
    return [o] { return WriteArchive(*o); };
}

Command AddListCommand(CLI::App& app)
{
    auto o = std::make_shared<ArchiveOptions>();
    CLI::App* sub = app.add_subcommand("list", "list a distribution, a segment set or an archive");
    sub->add_option("PATH", o->archive, "distribution folder, single-file setup.exe, segment file (NAME.001) or archive")->required();
    sub->add_option("--key", o->key, "key of a distribution built with --key (its file lists are locked too)");
    return [o] {
        const auto set = SegmentSetAt(o->archive);
        return set ? ListSegmentSet(*set, o->key) : ListArchive(*o);
    };
}

Command AddExtractCommand(CLI::App& app)
{
    auto o = std::make_shared<ArchiveOptions>();
    CLI::App* sub = app.add_subcommand("extract", "expand a distribution, a segment set or an archive into a directory");
    sub->add_option("PATH", o->archive, "distribution folder, single-file setup.exe, segment file (NAME.001) or archive")->required();
    sub->add_option("-o,--output", o->directory, "directory to write into; nothing is written outside it")->required();
    sub->add_option("--key", o->key, "key of a locked distribution or archive");
    return [o] {
        const auto set = SegmentSetAt(o->archive);
        return set ? ExtractSegmentSet(*set, o->directory, o->key) : ExtractArchive(*o);
    };
}

Command AddVerifyCommand(CLI::App& app)
{
    auto o = std::make_shared<ArchiveOptions>();
    CLI::App* sub = app.add_subcommand("verify", "expand to a scratch folder and check every checksum");
    sub->add_option("PATH", o->archive, "distribution folder, single-file setup.exe, segment file (NAME.001) or archive")->required();
    sub->add_option("--key", o->key, "key of a locked distribution or archive");
    sub->add_option("--ca-file", o->caFile, "roots to trust for a signed setup.exe (default: the system's)")
        ->check(ExistingFileCheck());
    return [o] {
        const auto set = SegmentSetAt(o->archive);
        return set ? VerifySegmentSet(*set, o->key, o->caFile) : VerifyArchive(*o);
    };
}
