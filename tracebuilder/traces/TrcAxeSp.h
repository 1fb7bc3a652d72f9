#pragma once
// The spectro trace's axes behave exactly like the seismo trace's: one implementation serves both.

#include "TrcAxe.h"

using tTrcAxeSp = tTrcAxe;
using tTrcAxeSp_H = tTrcAxe_H;
using tTrcAxeSp_V = tTrcAxe_V;
