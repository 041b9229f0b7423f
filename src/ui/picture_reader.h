#pragma once
// The preview picture, read beside the window's thread: the first of the
// candidates that is a picture, passing over missing, empty, oversized and
// damaged files, decoded no larger than the screen.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "os/files.h"
#include "os/pictures.h"
#include "os/worker.h"

namespace tarvo {

struct FoundPicture {
    int index = -1;                    // of the candidate it came from; -1: none was a picture
    std::shared_ptr<Picture> picture;  // none with -1
    std::size_t candidates = 0;        // how many there were
};

// The candidates of a selection, made where they are read: what they are
// may depend on a setting, read there too.
using PictureCandidates = std::function<std::vector<std::string>()>;

// One candidate after the other, asking between them whether the work is
// still wanted (when not: none found).
FoundPicture FirstPicture(const std::vector<std::string>& candidates, const PictureLimits& limits, Files& files,
                          PictureDecoder& decoder, const Cancellable& cancel);

// What a reading found, on the window's thread.
class PictureListener {
public:
    virtual void PictureRead(std::uint64_t ticket, FoundPicture found) = 0;

protected:
    ~PictureListener() = default;
};

class PictureReader {
public:
    virtual ~PictureReader() = default;
    // Reads the first picture of the candidates; a reading asked for while
    // another runs cancels it: only the newest is told.
    virtual void Read(std::uint64_t ticket, PictureCandidates candidates, const PictureLimits& limits) = 0;
};

class PictureReaderBeside : public PictureReader {
public:
    PictureReaderBeside(Files& files, PictureDecoder& decoder, WindowThread& window, PictureListener& listener)
        : files_(files), decoder_(decoder), listener_(listener), worker_(window) {}
    void Read(std::uint64_t ticket, PictureCandidates candidates, const PictureLimits& limits) override;

private:
    Files& files_;
    PictureDecoder& decoder_;
    PictureListener& listener_;
    Worker worker_;  // last: goes first
};

}  // namespace tarvo
