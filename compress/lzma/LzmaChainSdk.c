/* The LZMA SDK's encoder and match finder, compiled here with two functions of ours that reach their inside,
   for the solid chains. The SDK codes one stream and ends it; LZMA2 goes on with the same match finder by
   chunks of its own size. A chain's entries end where their files end, so the match finder is told that its
   input has come back after each one ended. Debian's lzma-dev carries these sources at a fixed version (9.22);
   the build fails here should another change the names these functions use. */
#include "LzFind.c"
#include "LzmaEnc.c"

#include "compress/lzma/LzmaChainSdk.h"

SRes LzmaEnc_EncodeNextEntry(CLzmaEncHandle handle, ISeqOutStream *outStream, ISeqInStream *inStream)
{
  CLzmaEnc *p = (CLzmaEnc *)handle;
  p->matchFinderBase.stream = inStream;
  p->matchFinderBase.streamEndWasReached = 0;
  MatchFinder_CheckAndMoveAndRead(&p->matchFinderBase);
  MatchFinder_SetLimits(&p->matchFinderBase);
  p->finished = False;
  p->result = SZ_OK;
  RangeEnc_Init(&p->rc);
  p->rc.outStream = outStream;
  return LzmaEnc_Encode2(p, NULL);
}

SRes LzmaEnc_PrimeWith(CLzmaEncHandle handle, ISeqInStream *inStream, UInt64 position, ISzAlloc *alloc,
                       ISzAlloc *allocBig)
{
  CLzmaEnc *p = (CLzmaEnc *)handle;
  UInt32 available;
  RINOK(LzmaEnc_Prepare(handle, NULL, inStream, alloc, allocBig));
  p->matchFinder.Init(p->matchFinderObj);
  p->needInit = 0;
  while ((available = p->matchFinder.GetNumAvailableBytes(p->matchFinderObj)) != 0)
    p->matchFinder.Skip(p->matchFinderObj, available);
  p->nowPos64 = position;
  return p->matchFinderBase.result;
}
