#include "tools/mksetup/SegmentSet.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include "payload/PayloadSegments.h"
#include "port/Exception.h"
#include "port/FileStream.h"
#include "segment/SegCompEZ.h"
#include "tools/mksetup/ConsoleInteraction.h"
#include "tools/mksetup/StoredNames.h"
#include "tools/mksetup/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

bool IsSegmentNumber(const std::string& extension)
{
    if (extension.size() < 4) return false;  // "." and at least three digits
    for (std::size_t i = 1; i < extension.size(); ++i)
        if (extension[i] < '0' || extension[i] > '9') return false;
    return true;
}

// The segment path as the user types it here: the component writes "\" between names.
std::string NativePath(std::string path)
{
#ifndef _WIN32
    for (char& c : path)
        if (c == '\\') c = '/';
#endif
    return path;
}

// The dialog's first line; the rest tells a window's user which button to press.
std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

std::string WithSeparator(const fs::path& dir)
{
    return NameOf(fs::absolute(dir) / "");
}

bool IsProgram(const std::string& path)
{
    char mark[2] = {};
    FileStream file(path, FileMode::OpenRead);
    return file.Read(mark, sizeof mark) == sizeof mark && mark[0] == 'M' && mark[1] == 'Z';
}

// The single file, held open while its segments are read through it.
struct SingleFileSegments {
    explicit SingleFileSegments(const std::string& path) : file(path, FileMode::OpenRead) {}
    FileStream file;
    std::unique_ptr<TPayloadSegments> segments;
};

// The single file's segments as its payload holds them; none for a distribution on disk.
std::unique_ptr<SingleFileSegments> PayloadSegmentsOf(const SegmentSetPlace& place)
{
    if (place.singleFile.empty()) return nullptr;
    auto single = std::make_unique<SingleFileSegments>(place.singleFile);
    std::optional<TPayload> payload = LocatePayload(single->file, place.singleFile);
    if (!payload) throw Exception(place.singleFile + " carries no distribution");
    single->segments = std::make_unique<TPayloadSegments>(single->file, place.singleFile, std::move(*payload));
    return single;
}

// Runs the reader and turns its failures into messages that name the segment file concerned.
template <typename Setup>
SetContents ReadSet(const SegmentSetPlace& place, const std::string& tmpDir, std::int32_t key, Setup setup)
{
    ConsoleInteraction console(StdinIsTerminal());
    const std::unique_ptr<SingleFileSegments> single = PayloadSegmentsOf(place);
    TSegCompEZ c;
    c.SegmentFiles = single ? single->segments.get() : nullptr;
    c.Key = key;
    c.SegPopUp = false;
    c.Interaction = &console;
    c.SetSegBaseName(place.base);
    c.SetSegDir(place.dir);
    c.SetSegTmpDir(tmpDir);
    c.ExceptionOnFileError = true;
    SetContents contents;
    setup(c, contents);
    try {
        c.SegExpand();
    } catch (const std::exception& e) {
        const std::string why = console.LastComplaint().empty() ? e.what() : FirstLine(console.LastComplaint());
        const std::string segment = place.singleFile.empty() ? NativePath(c.SegFilePath())
                                                             : place.singleFile + " (" + c.SegFileName() + ")";
        throw Exception(segment + ": " + why);
    }
    if (contents.arcs.Empty()) contents.arcs = c.SegArcList;
    return contents;
}

}  // namespace

std::optional<SegmentSetPlace> SegmentSetAt(const std::string& path)
{
    const fs::path p = PathOf(path);
    if (fs::is_directory(p)) return SegmentSetPlace{WithSeparator(p), "disk", ""};
    if (fs::is_regular_file(p) && IsProgram(path)) {
        FileStream file(path, FileMode::OpenRead);
        if (!LocatePayload(file, path)) throw Exception(path + " is a setup program without a distribution in it");
        return SegmentSetPlace{WithSeparator(fs::absolute(p).parent_path()), "disk", NameOf(fs::absolute(p))};
    }
    if (!IsSegmentNumber(NameOf(p.extension()))) return std::nullopt;
    return SegmentSetPlace{WithSeparator(p.parent_path()), NameOf(p.stem()), ""};
}

SetContents ListSet(const SegmentSetPlace& place, const std::string& tmpDir, std::int32_t key)
{
    return ReadSet(place, tmpDir, key, [](TSegCompEZ& c, SetContents& contents) {
        c.OnSegBeforeExpand = [&contents](TSegArcList& list) {
            contents.arcs = list;
            list.ClearArcs();  // the names are all we want
        };
    });
}

SetContents ExpandSet(const SegmentSetPlace& place, const std::string& outDir, const std::string& tmpDir,
                      std::int32_t key)
{
    SetContents result = ReadSet(place, tmpDir, key, [&outDir](TSegCompEZ& c, SetContents& contents) {
        c.OnSegBeforeExpand = [&contents](TSegArcList& list) {
            for (const TSegArc& arc : list) contents.listed += arc.Files.size();
        };
        c.OnCheckFile = [&c, &contents, outDir](std::string& path, TCProcessMode) {
            // The reader aims at the template's folder; the stored name is what follows it.
            const std::string& from = c.TargetPath();
            const std::string stored = path.compare(0, from.size(), from) == 0 ? path.substr(from.size()) : path;
            const std::string target = outDir + stored;
            if (stored.empty() || stored[0] == '\\' || !ConfinedTo(outDir, target)) {
                std::cerr << "mksetup: refused " << stored << ": it would be written outside " << outDir << "\n";
                path.clear();
                ++contents.refused;
                return;
            }
            path = target;
        };
    });
    for (const TSegArc& arc : result.arcs)
        result.written.insert(result.written.end(), arc.Files.begin(), arc.Files.end());
    return result;
}
