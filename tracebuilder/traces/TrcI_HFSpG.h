#pragma once
// Image of the spectro trace: each column a black shape mirrored about its centre line.

#include "TrcAxeSp.h"
#include "TrcI_Columns.h"

class tTrcI_HFSpG : public tTrcI_Columns {
public:
    using tConfig = tTrcColumnsCnf;
    using tTrcI_Columns::tTrcI_Columns;

protected:
    void DrawColumn(QImage& image, const IArray<TPoint>& points, int x0, int bottom) const override;
    QString Kind() const override { return QStringLiteral("СПЕКТРО Трасса"); }
    bool Amplified() const override { return false; }
};
