#pragma once

#include "tally/tallygrid.h"

#include <QString>

// The tally as a plain-text table for a terminal: the player's own totals,
// then one line per followed opponent with the total and session counts.
QString formatTallyTable(const TallyGrid& grid);
