#pragma once
// Parameter sets shared by several trace kinds.

#include "TrcError.h"
#include "tAppInt.h"
#include "tTrcCnf.h"

class QButtonGroup;

// Values sets: the application parameters, which must exist.
class tTrcAppCnf : public tTrcCnf {
public:
    explicit tTrcAppCnf(tAppInt* appParams) : app(appParams) {
        if (appParams == nullptr)
            throw tTrcError(tTrcError::MissingObject);
    }
    tAppInt* const app;
};

// Values sets of the chart kinds: also the radio group that chooses the abscissa.
class tTrcChartCnf : public tTrcAppCnf {
public:
    tTrcChartCnf(tAppInt* appParams, QButtonGroup* dimensionGroup)
        : tTrcAppCnf(appParams), dimension(dimensionGroup) {}
    QButtonGroup* const dimension; // not owned
};

// True when the group's first item ("Метры") is selected.
bool FirstItemSelected(const QButtonGroup* group);
