#pragma once
// Image of the seismo trace: variable-area columns, positive lobes black to the right of the
// centre line, negative lobes light grey to its left.

#include "TrcI_Columns.h"

class tTrcI_HFSG : public tTrcI_Columns {
public:
    using tConfig = tTrcColumnsCnf;
    using tTrcI_Columns::tTrcI_Columns;

protected:
    void DrawColumn(QImage& image, const IArray<TPoint>& points, int x0, int bottom) const override;
    QString Kind() const override { return QStringLiteral("СЕЙСМО Трасса"); }
    bool Amplified() const override { return true; }
};
