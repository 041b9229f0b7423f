#pragma once
// Pictures as the front end decodes them, one file at a time, beside the
// window's thread; which files, in which order, is the core's.

#include <cstdint>
#include <memory>
#include <string>

namespace tarvo {

// A file far larger than any screenshot is not one: it counts as damaged.
inline constexpr std::uint64_t kLargestPicture = 64u << 20;
// Nor is a picture of more pixels than a 4096 x 4096 one (a screenshot of
// a 4K screen has half as many): a small file that would decode to
// hundreds of megabytes counts as damaged before it is decoded.
inline constexpr std::uint64_t kMostPicturePixels = 4096u * 4096u;

struct PictureLimits {
    int width, height;  // decoded no larger (the shape kept): the screen's
    std::uint64_t mostBytes = kLargestPicture;
    std::uint64_t mostPixels = kMostPicturePixels;
};

// A decoded picture, in the front end's own form.
class Picture {
public:
    virtual ~Picture() = default;
};

class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    // From any thread: the picture an ordinary file of at most mostBytes
    // holds (GIF, JPEG, BMP, PNG, told by its content), decoded within the
    // limits; none when it is no picture, damaged, or of more pixels.
    virtual std::unique_ptr<Picture> Decode(const std::string& path, const PictureLimits& limits) = 0;
};

}  // namespace tarvo
