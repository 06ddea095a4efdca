// The ticket screen's pictures: the court a club plays on, seen from the stands, in the look of its
// level, and the big hall once per seat class with that class's seats picked out. The picture
// number (1-10) chooses the colours, so clubs next to each other in the list look different.
#pragma once

#include "Pictures.h"

enum class ArenaLook {
    Street, // an outdoor court behind a fence
    School, // a gym with pulled-out bleachers
    Hall,   // a league hall in the club's colours
    Cup,    // a tournament hall dressed in the cup's blue
};

// Seat classes in the ticket screen's order; the picture file names use these words.
constexpr const char* kSeatClassNames[5] = {"courtside", "lower_level", "upper_level", "discount",
                                            "corporate"};

// The arena at any size (its shapes are laid out on 775 x 435 and scaled); seatClass 0-4 dims all
// but that class's seats and frames them, -1 shows the arena as it is.
PictureCanvas DrawTicketArena(ArenaLook look, int number, int seatClass, int width, int height);
