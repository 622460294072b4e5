// Mounting segments (with the prompt and the complaints) and reading the logical stream across them.
#include <algorithm>
#include <array>

#include "port/FileSystem.h"
#include "segment/SegCompress.h"
#include "segment/SegError.h"
#include "segment/SegNaming.h"

namespace {

constexpr std::size_t kMaxTypedLength = 255;  // the prompt's edit field

std::string LocateComplaint(const std::string& fileName)
{
    return "Unable to locate \"" + fileName + "\" on this segment!\n\rCorrect and then press OK, or Cancel to abort";
}

const std::string kIncorrectComplaint = "Incorrect segmented mounted!\n\rCorrect and then press OK, or Cancel to abort";

}  // namespace

void TSegCompress::OpenSegment(std::uint32_t n)
{
    MountSegment(n);
    std::array<unsigned char, TSegIdHeader::kSize> bytes{};
    if (segment_->Read(bytes.data(), bytes.size()) != bytes.size() ||
        TSegIdHeader::Decode(bytes.data()).Id != TSegIdHeader::kId)
        throw ESegError(segmsg::kInvalidSegmentId);
    segBytesLeft_ -= static_cast<std::int64_t>(bytes.size());
}

void TSegCompress::MountSegment(std::uint32_t n)
{
    NameSegment(n);
    for (;;) {
        BeforeSegment(n);
        const std::string complaint = TryOpenSegment(n);
        if (complaint.empty()) return;
        if (Interaction == nullptr || !Interaction->ErrorOkCancel(complaint)) {
            Aborted = true;
            throw ESegError(segmsg::kAborted);
        }
    }
}

void TSegCompress::BeforeSegment(std::uint32_t n)
{
    if (SegPopUp) AskForSegmentDir(n);
    if (OnSegBefore) {
        OnSegBefore(segMode_, segFileName_, static_cast<std::uint16_t>(n));
        NameSegment(n);  // the handler may have pointed SegDir at another place
    }
    CheckAborted();
}

void TSegCompress::AskForSegmentDir(std::uint32_t n)
{
    std::string answer;
    do {
        answer = segDir_;
        if (Interaction == nullptr ||
            !Interaction->InputQuery("Mount Segment #" + std::to_string(n), "Directory Path:", answer)) {
            Aborted = true;
            if (Interaction != nullptr) Interaction->RepaintOwner();
            throw ESegError(segmsg::kAborted);
        }
    } while (answer.empty());
    segDir_ = answer.substr(0, kMaxTypedLength);  // as typed: the user's own spelling is kept
    Interaction->RepaintOwner();
    NameSegment(n);
}

// Empty when segment n is open; otherwise the complaint to show.
std::string TSegCompress::TryOpenSegment(std::uint32_t n)
{
    const bool exists = SegmentFiles != nullptr ? SegmentFiles->Exists(segFilePath_) : port::FileExists(segFilePath_);
    if (!exists) return LocateComplaint(segFileName_);
    std::unique_ptr<Stream> file;
    std::array<unsigned char, TSegIdHeader::kSize> bytes{};
    try {
        if (SegmentFiles != nullptr)
            file = SegmentFiles->OpenRead(segFilePath_);
        else
            file = std::make_unique<FileStream>(segFilePath_, FileMode::OpenReadExclusive);
        file->ReadBuffer(bytes.data(), bytes.size());
    } catch (const Exception&) {
        throw ESegError(segmsg::kOpenFailed);
    }
    const TSegIdHeader id = TSegIdHeader::Decode(bytes.data());
    if (id.Id != TSegIdHeader::kId) throw ESegError(segmsg::kOpenFailed);
    if (id.SegNumber != n) return kIncorrectComplaint;
    file->Seek(0, SeekOrigin::Begin);
    segBytesLeft_ = file->Size();
    segment_ = std::move(file);
    return {};
}

void TSegCompress::ReadSpanning(unsigned char* dest, std::size_t count)
{
    while (count > 0) {
        if (segBytesLeft_ == 0) NextSegment();
        const std::size_t n = std::min({segfmt::kCopyBufferSize, count, static_cast<std::size_t>(segBytesLeft_)});
        segment_->ReadBuffer(dest, n);
        dest += n;
        count -= n;
        segBytesLeft_ -= static_cast<std::int64_t>(n);
        if (Interaction != nullptr) Interaction->ProcessMessages();
    }
}

void TSegCompress::NextSegment()
{
    segment_.reset();
    if (OnSegAfter) OnSegAfter(segMode_, segFileName_, currentSegment_);
    CheckAborted();
    OpenSegment(currentSegment_ + 1u);
}

void TSegCompress::CopySpanning(Stream* out, std::int64_t size, bool reportProgress)
{
    std::int64_t remaining = size;
    while (remaining > 0) {
        std::fill(buffer_.begin(), buffer_.end(), 0);
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(remaining, segfmt::kCopyBufferSize));
        ReadSpanning(buffer_.data(), n);
        if (out != nullptr) out->WriteBuffer(buffer_.data(), n);
        remaining -= static_cast<std::int64_t>(n);
        if (reportProgress && OnSegShowProgress)
            OnSegShowProgress(static_cast<std::int32_t>((size - remaining) * 100 / size));  // exact, in 64 bits
    }
}
