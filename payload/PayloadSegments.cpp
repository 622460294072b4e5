#include "payload/PayloadSegments.h"

#include <cctype>
#include <utility>

#include "payload/FileRangeStream.h"
#include "port/Exception.h"

TPayloadSegments::TPayloadSegments(Stream& programFile, std::string fileName, TPayload payload)
    : programFile_(programFile), fileName_(std::move(fileName)), payload_(std::move(payload))
{
}

const TPayloadEntry* TPayloadSegments::EntryFor(const std::string& path) const
{
    std::string name = path.substr(path.find_last_of("\\/:") + 1);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return payload_.Find(name);
}

bool TPayloadSegments::Exists(const std::string& path)
{
    return EntryFor(path) != nullptr;
}

std::unique_ptr<Stream> TPayloadSegments::OpenRead(const std::string& path)
{
    const TPayloadEntry* entry = EntryFor(path);
    if (entry == nullptr) throw EFOpenError(path);
    return std::make_unique<TFileRangeStream>(programFile_, fileName_ + " (" + entry->Name + ")", entry->Offset,
                                              entry->Size);
}
