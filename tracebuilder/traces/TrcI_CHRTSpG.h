#pragma once
// Image of the single-view spectrum: in metres the lines down to the depth limit, in hertz the
// first 256 of the 2048 lines.

#include "TrcI_Chart.h"

class tTrcI_CHRTSpG : public tTrcI_Chart {
public:
    using tTrcI_Chart::tTrcI_Chart;
    void Draw(tTrcP* processing) override;
};
