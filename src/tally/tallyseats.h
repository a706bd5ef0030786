#pragma once

#include <QStringList>

// What the tally needs to know of the table; the main window provides it.
class TallySeats {
public:
    virtual ~TallySeats() = default;
    // The names in seats 1 to 5 other than the local player's own, in seat
    // order, leaving out empty ("<Waiting>") seats.
    virtual QStringList otherSeatedNames() const = 0;
    // Of those, the ones people play: Klot is left out.
    virtual QStringList otherSeatedPeople() const { return otherSeatedNames(); }
};
