#pragma once

#include "Card.h"

// A card on the table with the seat that played it.
struct SeatCard {
    Card card;
    int seat = -1;
};
