#include "TrcP_CHRTSG.h"

#include "TrcI_CHRTSG.h"

tTrcP_CHRTSG::tTrcP_CHRTSG(tTrcI_CHRTSG* image) : tTrcP_Chart(image) {}
