#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "compress/CompressExceptions.h"
#include "compress/tests/BitWriter.h"
#include "compress/tests/Lh5Run.h"

namespace {

TBytes Concat(TBytes a, const TBytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A block whose every alphabet has one symbol: no code bits follow its header.
TBitWriter& SingleSymbolBlock(TBitWriter& w, std::uint32_t size, std::uint32_t symbol, std::uint32_t distanceClass = 0)
{
    return w.Put(16, size).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, symbol).Put(4, 0).Put(4, distanceClass);
}

// Code-length alphabet of four 2-bit codes: 00 one zero, 01 a short run of zeros, 10 a long run,
// 11 the length 1.
TBitWriter& FourCodeLengthSymbols(TBitWriter& w)
{
    return w.Put(5, 4).Put(3, 2).Put(3, 2).Put(3, 2).Put(2, 0).Put(3, 2);
}

// A stream of our own encoder, for the decoder's edges; the peer streams are read in PeerStreamsTest.cpp.
TBytes CodedGpl2()
{
    return RunEncodeLZH5(DebianText("GPL-2"));
}

TEST(Lh5Decoder, StopsExactlyAtTheExpandedSizeEvenInsideAMatch)
{
    const TBytes text = DebianText("GPL-2");
    const TBytes coded = CodedGpl2();
    for (std::int32_t size = 1; size <= 400; ++size)
        ASSERT_EQ(RunDecodeLZH5(coded, size), TBytes(text.begin(), text.begin() + size)) << size;
}

TEST(Lh5Decoder, ZeroSizeReadsAndWritesNothing)
{
    MemoryStream in(TBytes{0xFF, 0xFF, 0xFF});
    MemoryStream out;
    TCompThreadSafety state;
    state.Begin({&in, &out, 3, 0x7FFFFFFF, false, false, 0, {}});
    DecodeLZH5(state, 0);
    state.Flush();
    EXPECT_TRUE(out.Bytes().empty());
    EXPECT_EQ(in.Position(), 0);
}

TEST(Lh5Decoder, InputThatEndsEarlyEndsTheOutputSoon)
{
    const TBytes text = DebianText("GPL-2");
    const TBytes coded = CodedGpl2();
    const TBytes half(coded.begin(), coded.begin() + static_cast<std::ptrdiff_t>(coded.size() / 2));
    const TBytes got = RunDecodeLZH5(half, static_cast<std::int32_t>(text.size()));
    ASSERT_GT(got.size(), 4000u);
    EXPECT_LT(got.size(), text.size());
    EXPECT_TRUE(std::equal(text.begin(), text.begin() + 4000, got.begin()));
    // Past the end each empty block header still yields 65,536 symbols: a bound, not a disk filled.
    EXPECT_LT(RunDecodeLZH5({0x00, 0x05}, 100000000).size(), 1000000u) << "a lying size does not fill a disk";
}

TEST(Lh5Decoder, SingleSymbolBlocksTakeNoCodeBits)
{
    TBitWriter w;
    SingleSymbolBlock(w, 5, 'A');
    SingleSymbolBlock(w, 3, 'B');
    SingleSymbolBlock(w, 2, 256, 0);  // two matches of 3 at distance 1
    EXPECT_EQ(RunDecodeLZH5(w.Bytes(), 14), Concat(TBytes(5, 'A'), Concat(TBytes(3, 'B'), TBytes(6, 'B'))));
}

TEST(Lh5Decoder, BlockSizeZeroMeans65536Symbols)
{
    TBitWriter w;
    SingleSymbolBlock(w, 0, 'z');
    SingleSymbolBlock(w, 10, 'y');
    EXPECT_EQ(RunDecodeLZH5(w.Bytes(), 65546), Concat(TBytes(65536, 'z'), TBytes(10, 'y')));
}

TEST(Lh5Decoder, MatchesReachIntoTheSpaceFilledWindow)
{
    TBitWriter w;
    SingleSymbolBlock(w, 1, 256 + 7, 14 - 1).Put(12, 0xFFF);  // length 10, distance code 8,191
    EXPECT_EQ(RunDecodeLZH5(w.Bytes(), 10), TBytes(10, ' '));
}

TEST(Lh5Decoder, CodeLengthsThatOverfillOrUnderfillTheCodeSpaceAreRejected)
{
    TBitWriter overfullPt;
    overfullPt.Put(16, 1).Put(5, 3).Put(3, 1).Put(3, 1).Put(3, 1).Put(2, 0);
    EXPECT_THROW(RunDecodeLZH5(overfullPt.Bytes(), 1), ELZHBadDecodeTable);

    TBitWriter underfullPt;
    underfullPt.Put(16, 1).Put(5, 2).Put(3, 1).Put(3, 2);
    EXPECT_THROW(RunDecodeLZH5(underfullPt.Bytes(), 1), ELZHBadDecodeTable);

    TBitWriter overfullChar;
    FourCodeLengthSymbols(overfullChar.Put(16, 1)).Put(9, 3).Put(2, 3).Put(2, 3).Put(2, 3);
    EXPECT_THROW(RunDecodeLZH5(overfullChar.Bytes(), 1), ELZHBadDecodeTable);

    TBitWriter underfullChar;
    FourCodeLengthSymbols(underfullChar.Put(16, 1)).Put(9, 1).Put(2, 3);
    EXPECT_THROW(RunDecodeLZH5(underfullChar.Bytes(), 1), ELZHBadDecodeTable);

    TBitWriter noCodes;
    noCodes.Put(16, 1).Put(5, 1).Put(3, 0);
    EXPECT_THROW(RunDecodeLZH5(noCodes.Bytes(), 1), ELZHBadDecodeTable) << "a code with no symbol at all";
}

TEST(Lh5Decoder, HeadersThatWouldLeaveTheArraysAreRejected)
{
    TBitWriter longLength;  // 17: three 1 bits, ten more, then 0
    longLength.Put(16, 1).Put(5, 1).Put(3, 7).Put(11, 0x7FE);
    EXPECT_THROW(RunDecodeLZH5(longLength.Bytes(), 1), ELZHBadDecodeTable);

    TBitWriter tooManyPt;
    tooManyPt.Put(16, 1).Put(5, 20);
    EXPECT_THROW(RunDecodeLZH5(tooManyPt.Bytes(), 1), ELZHBadDecodeTable);

    TBitWriter tooManyChar;
    tooManyChar.Put(16, 1).Put(5, 0).Put(5, 3).Put(9, 511);
    EXPECT_THROW(RunDecodeLZH5(tooManyChar.Bytes(), 1), ELZHBadDecodeTable);

    TBitWriter loneCharOutside;
    loneCharOutside.Put(16, 1).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 510);
    EXPECT_THROW(RunDecodeLZH5(loneCharOutside.Bytes(), 1), ELZHBadDecodeTable);

    TBitWriter lonePtOutside;
    lonePtOutside.Put(16, 1).Put(5, 0).Put(5, 19);
    EXPECT_THROW(RunDecodeLZH5(lonePtOutside.Bytes(), 1), ELZHBadDecodeTable);

    TBitWriter loneDistanceOutside;
    SingleSymbolBlock(loneDistanceOutside, 1, 'a', 14);
    EXPECT_THROW(RunDecodeLZH5(loneDistanceOutside.Bytes(), 1), ELZHBadDecodeTable);

    TBitWriter zerosPastTheEnd;  // 509 zeros, then a run of three
    FourCodeLengthSymbols(zerosPastTheEnd.Put(16, 1)).Put(9, 510).Put(2, 2).Put(9, 489).Put(2, 1).Put(4, 0);
    EXPECT_THROW(RunDecodeLZH5(zerosPastTheEnd.Bytes(), 1), ELZHBadDecodeTable);

    TBitWriter longRunPastTheEnd;
    FourCodeLengthSymbols(longRunPastTheEnd.Put(16, 1)).Put(9, 510).Put(2, 2).Put(9, 511);
    EXPECT_THROW(RunDecodeLZH5(longRunPastTheEnd.Bytes(), 1), ELZHBadDecodeTable);
}

}  // namespace
