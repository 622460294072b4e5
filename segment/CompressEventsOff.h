#pragma once
// Switches the five events of a TCompress off for a scope and puts the application's handlers back
// when it ends, so that the application sees nothing of the segment components' own archives.
#include "compress/Compress.h"

class TCompressEventsOff {
public:
    // CheckFile takes the place of OnCheckFile; the other four do nothing.
    TCompressEventsOff(TCompress& component, TFilenameCheckEvent CheckFile);
    ~TCompressEventsOff();
    TCompressEventsOff(const TCompressEventsOff&) = delete;
    TCompressEventsOff& operator=(const TCompressEventsOff&) = delete;

private:
    TCompress& component_;
    TCompressEvent onCompress_;
    TExpandEvent onExpand_;
    TRecognizeEvent onRecognize_;
    TFilenameCheckEvent onCheckFile_;
    TShowProgressEvent onShowProgress_;
};
