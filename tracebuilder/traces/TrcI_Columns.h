#pragma once
// Image object of a column trace picture (seismo or spectro): draws the shown page of columns and
// the axes onto the picture, and renders the whole trace for saving and printing. The kinds differ
// only in how one column is drawn.

#include <QImage>
#include <QString>
#include <memory>

#include "Traces.h"
#include "TrcAxe.h"
#include "TrcColumnsCnf.h"

class QPrinter;
class tTrcP_Columns;

class tTrcI_Columns : public tTrcI {
public:
    tTrcI_Columns(tAppInt* app, TracePicture* picture, QScrollBar* scrollBar, QSlider* trackBar,
                  QWidget* sheet);
    ~tTrcI_Columns() override;

    void Draw(tTrcP* processing) override;
    void DrawAxes() override;
    void Clear() override;

    // Every measurement as a column, with both axes; a null image when there are no entries.
    QImage WholeTrace(tTrcP* processing);
    // Writes the whole trace in `format` (a QImage format name), BMP unless told. Nothing happens
    // for an empty name or a trace without entries; false when the file could not be written.
    bool SaveToFile(tTrcP* processing, const QString& fileName, const char* format = "BMP");
    // Prints the whole trace stretched over one landscape page. Nothing happens for a trace
    // without entries; false when the printer could not be started.
    bool Print(tTrcP* processing, QPrinter& printer);

    tTrcColumnsCnf conf;
    std::unique_ptr<tTrcAxe> horizontal;
    std::unique_ptr<tTrcAxe> vertical;

protected:
    // Draws one column centred at x0, from the top margin down to `bottom`.
    virtual void DrawColumn(QImage& image, const IArray<TPoint>& points, int x0, int bottom) const = 0;

private:
    const tTrcP_Columns& Entries(tTrcP* processing) const;
};
