/* The solid chain's one addition to the LZMA SDK's encoder (LzmaChainSdk.c). */
#ifndef COMPRESS_LZMA_CHAIN_SDK_H
#define COMPRESS_LZMA_CHAIN_SDK_H

#include "LzmaEnc.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Codes the bytes inStream gives, until it ends, as the next entry of the chain the encoder has coded so far
   (the first with LzmaEnc_Encode): the match finder keeps what it has seen, the coder's state goes on, and
   the range coder starts afresh and is flushed at the end, so that the entry's output ends with it. */
SRes LzmaEnc_EncodeNextEntry(CLzmaEncHandle handle, ISeqOutStream *outStream, ISeqInStream *inStream);

/* Readies a new encoder for entries that go on from bytes coded apart: its match finder takes in the bytes
   inStream gives, the end of what the decoder's dictionary will hold, and it counts from position, the bytes
   the decoder will have decoded, as the decoder does. Its first entry is coded with LzmaEnc_EncodeNextEntry. */
SRes LzmaEnc_PrimeWith(CLzmaEncHandle handle, ISeqInStream *inStream, UInt64 position, ISzAlloc *alloc,
                       ISzAlloc *allocBig);

#ifdef __cplusplus
}
#endif

#endif
