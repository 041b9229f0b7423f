#include "app/picture_on_show.h"

#include <utility>

namespace tarvo {

PictureStep NextPicture(PictureState now, PictureEvent event) {
    switch (event) {
        case PictureEvent::Wanted:
            return {PictureState::Reading, true};
        case PictureEvent::WantedWhileMoving:
            return {PictureState::Settling, false, true};
        case PictureEvent::QuietTimer:
            return now == PictureState::Settling ? PictureStep{PictureState::Reading, true} : PictureStep{now};
        case PictureEvent::BusyTimer:
            return now == PictureState::Settling ? PictureStep{now, false, true} : PictureStep{now};
        case PictureEvent::ReadWanted:
            // Read while a newer want settles: the newer one counts.
            return now == PictureState::Reading ? PictureStep{PictureState::Shown, false, false, true} : PictureStep{now};
    }
    return {now};
}

PictureStep PictureOnShow::Want(std::string what, PictureCandidates candidates, std::int64_t now, bool inputWaiting) {
    if (what == wanted_) return {state_};
    wanted_ = std::move(what);
    candidates_ = std::move(candidates);
    ++ticket_;
    const bool moving = now - lastAsked_ < kSettleMs || inputWaiting;
    lastAsked_ = now;
    return Take(moving ? PictureEvent::WantedWhileMoving : PictureEvent::Wanted);
}

PictureStep PictureOnShow::Take(PictureEvent event) {
    const PictureStep step = NextPicture(state_, event);
    state_ = step.next;
    return step;
}

}  // namespace tarvo
