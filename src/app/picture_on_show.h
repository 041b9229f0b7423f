#pragma once
// Image1's picture: the candidates of the selected ROM, read beside the
// window's thread once the selection rests, and shown only while they are
// still the wanted ones.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/picture_reader.h"

namespace tarvo {

enum class PictureState {
    Shown,     // nothing asked is still to be read or shown
    Settling,  // the selection moves: read once it rests
    Reading,   // asked of the picture reader
};

enum class PictureEvent {
    Wanted,            // new candidates, the selection at rest
    WantedWhileMoving, // new candidates within the settle time, or with input waiting
    QuietTimer,        // the settle time has passed, no input waiting
    BusyTimer,         // it has passed with input waiting: a held key
    ReadWanted,        // the reader found the wanted candidates' picture
};

struct PictureStep {
    PictureState next;
    bool read = false;    // ask the reader for the wanted candidates now
    bool settle = false;  // ask again after the settle time
    bool show = false;    // show what was read
};

PictureStep NextPicture(PictureState now, PictureEvent event);

class PictureOnShow {
public:
    // Pictures asked for closer together than this (a held key, a pad's
    // repeat) are read only once this long has passed without another.
    static constexpr std::int64_t kSettleMs = 40;

    // The selected ROM's candidates, at now (ms), and what tells them
    // apart; nothing to do when those are on show already, or coming.
    PictureStep Want(std::string what, PictureCandidates candidates, std::int64_t now, bool inputWaiting);
    PictureStep Timer(bool inputWaiting) {
        return Take(inputWaiting ? PictureEvent::BusyTimer : PictureEvent::QuietTimer);
    }
    // A picture read for that ticket: shown only when it is the wanted one's.
    PictureStep Read(std::uint64_t ticket) {
        return ticket == ticket_ ? Take(PictureEvent::ReadWanted) : PictureStep{state_};
    }

    bool Settled() const { return state_ == PictureState::Shown; }
    std::uint64_t Ticket() const { return ticket_; }
    const PictureCandidates& Wanted() const { return candidates_; }

private:
    PictureStep Take(PictureEvent event);

    PictureState state_ = PictureState::Shown;
    std::string wanted_;  // on show, or coming
    PictureCandidates candidates_;
    std::uint64_t ticket_ = 0;
    std::int64_t lastAsked_ = INT64_MIN / 2;
};

}  // namespace tarvo
