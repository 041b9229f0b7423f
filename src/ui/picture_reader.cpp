#include "ui/picture_reader.h"

namespace tarvo {

FoundPicture FirstPicture(const std::vector<std::string>& candidates, const PictureLimits& limits, Files& files,
                          PictureDecoder& decoder, const Cancellable& cancel) {
    for (std::size_t i = 0; i < candidates.size() && !cancel.Cancelled(); ++i) {
        // Present means longer than 0 bytes; far longer is no picture.
        const auto length = files.FileLength(candidates[i]);
        if (!length || *length == 0 || *length > limits.mostBytes || cancel.Cancelled()) continue;
        if (std::unique_ptr<Picture> picture = decoder.Decode(candidates[i], limits)) {
            return {static_cast<int>(i), std::move(picture), candidates.size()};
        }
    }
    return {-1, nullptr, candidates.size()};
}

void PictureReaderBeside::Read(std::uint64_t ticket, PictureCandidates candidates, const PictureLimits& limits) {
    worker_.Run([&files = files_, &decoder = decoder_, &listener = listener_, ticket, candidates = std::move(candidates),
                 limits](Worker::Job& job) {
        FoundPicture found = FirstPicture(candidates(), limits, files, decoder, job);
        if (job.Cancelled()) return;
        job.Post([&listener, ticket, found] { listener.PictureRead(ticket, found); });
    }, true);
}

}  // namespace tarvo
