#include "segment/CompressEventsOff.h"

TCompressEventsOff::TCompressEventsOff(TCompress& component, TFilenameCheckEvent CheckFile)
    : component_(component),
      onCompress_(std::move(component.OnCompress)),
      onExpand_(std::move(component.OnExpand)),
      onRecognize_(std::move(component.OnRecognize)),
      onCheckFile_(std::move(component.OnCheckFile)),
      onShowProgress_(std::move(component.OnShowProgress))
{
    component.OnCompress = [](Stream&, Stream&, std::string&, std::int32_t&, std::int32_t&) {};
    component.OnExpand = [](Stream&, Stream&, std::int32_t, std::int32_t, const std::string&, std::int32_t&) {};
    component.OnRecognize = [](const std::string&, bool&) {};
    component.OnCheckFile = std::move(CheckFile);
    component.OnShowProgress = [](std::int32_t&) {};
}

TCompressEventsOff::~TCompressEventsOff()
{
    component_.OnCompress = std::move(onCompress_);
    component_.OnExpand = std::move(onExpand_);
    component_.OnRecognize = std::move(onRecognize_);
    component_.OnCheckFile = std::move(onCheckFile_);
    component_.OnShowProgress = std::move(onShowProgress_);
}
