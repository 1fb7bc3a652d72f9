#include "TrcV_Spectra.h"

int tTrcV_Spectra::Calc(const tTrc__DataList& list) {
    if (list.empty())
        return 0;
    spectra.SetCount(list.size());
    depthSpectra.SetCount(list.size());
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (!list[k])
            throw tTrcError(tTrcError::MissingObject);
        const tTrc__Data& data = *list[k];
        IArray<double[2]>& byFrequency = spectra.Item(k).points;
        IArray<double[2]>& byDepth = depthSpectra.Item(k).points;
        // Without a sample period there are no frequencies: the measurement gets an empty column.
        const bool usable = data.samplePeriod > 0.0f && data.points.count() > 0;
        byFrequency.SetCount(usable ? spectro::kLineCount : 0);
        byDepth.SetCount(usable ? spectro::kLineCount : 0);
        if (usable)
            lines_.Compute(data.points.data(), data.points.count(), data.samplePeriod,
                           appConfig_->app->VelocityOf(data), byFrequency.data(), byDepth.data());
    }
    return 1;
}

void tTrcV_Spectra::Clear() {
    spectra.SetCount(0);
    depthSpectra.SetCount(0);
}
