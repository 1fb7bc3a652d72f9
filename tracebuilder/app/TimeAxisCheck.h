#pragma once
// Whether the time stamps of a loaded channel can place its samples at depths.

#include <QString>

#include "tTrc__Data.h"

// Why the channel's times are broken (not numbers, running backwards or standing still, or a
// step far from the sample period its header gives, as a counter that wrapped more than once
// between two samples leaves it); empty when they are usable or not loaded.
QString TimeAxisFault(const tTrc__Data& channel);
