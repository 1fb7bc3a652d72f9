#include "TrcP_CHRTSpG.h"

#include "TrcI_CHRTSpG.h"

tTrcP_CHRTSpG::tTrcP_CHRTSpG(tTrcI_CHRTSpG* image) : tTrcP_Chart(image) {}
