#pragma once
// Processing object of the chart kinds: the chart takes the curves as they are, so nothing is
// computed or kept; the object only links the image into the chain.

#include "Traces.h"

class tTrcP_Chart : public tTrcP {
public:
    class tConfig : public tTrcCnf {
    public:
        explicit tConfig(tTrcI* image) : owner(image) {
            if (image == nullptr)
                throw tTrcError(tTrcError::MissingObject);
        }
        tTrcI* const owner;
    };

    explicit tTrcP_Chart(tTrcI* image) : tTrcP(&conf, image), conf(image) { AdoptImage(); }

    int Calc() override { return 0; }
    void Clear() override {}

    tConfig conf;
    IArray<tTrcP_Measure> measures; // stays empty
};
