#pragma once
// Base of every parameter set of the trace objects: it carries the set's change marker.

#include "tSYN.h"

class tTrcCnf {
public:
    tSYN syn;
};
