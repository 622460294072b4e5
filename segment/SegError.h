#pragma once
// The segment components' one exception class, and every message it carries.
#include "port/Exception.h"

class ESegError : public Exception {
public:
    using Exception::Exception;
};

namespace segmsg {
inline constexpr const char* kAborted = "(TSegCompress) Operation aborted by user";
inline constexpr const char* kInvalidSegmentId = "(TSegCompress) Invalid Segment ID Header";
inline constexpr const char* kInvalidSegmentHeader = "(TSegCompress) Invalid Segment Header ID";
inline constexpr const char* kInvalidScanId = "(TSegCompress) Invalid Scan ID Header";
inline constexpr const char* kInvalidArchiveId = "(TSegCompress) Invalid Archive ID Header";
inline constexpr const char* kInvalidSequence = "(TSegCompress) Invalid Archive sequence number";
inline constexpr const char* kOpenFailed = "(TSegCompress) Stream open failed";
inline constexpr const char* kReadFailed = "(TSegCompress) Stream read failed";

// Refusals of streams and sets that would not fit the reader's buffers or the 16-bit numbering.
inline constexpr const char* kSegmentNumberRange = "(TSegCompress) Segment number out of range";
inline constexpr const char* kNameTooLong = "(TSegCompress) Template name too long";
inline constexpr const char* kRecordLength = "(TSegCompress) Invalid file list record length";
inline constexpr const char* kNegativeSize = "(TSegCompress) Invalid data size";
inline constexpr const char* kNoListFile = "(TSegCompress) File list holds no list file";

// Refusals of the build.
inline constexpr const char* kTooManyArchives = "(TSegCompEZ) Too many archives";
inline constexpr const char* kArchiveTooLarge = "(TSegCompEZ) Archive too large";
inline constexpr const char* kUnlistableName = "(TSegCompEZ) File name cannot be listed: ";
inline constexpr const char* kSegmentOverwrite = "(TSegCompEZ) Segment would overwrite an earlier one: ";
}  // namespace segmsg
