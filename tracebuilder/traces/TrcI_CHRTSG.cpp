#include "TrcI_CHRTSG.h"

#include "TrcV_CHRTSG.h"

void tTrcI_CHRTSG::Draw(tTrcP* processing) {
    tTrcV_CHRTSG* v = RequireKind<tTrcV_CHRTSG>(RequireKind<tTrcP>(processing)->values);
    if (v->measures.count() == 0)
        return;
    PlotCurves(v->measures, 1);
}
