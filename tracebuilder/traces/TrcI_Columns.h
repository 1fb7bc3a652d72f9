#pragma once
// Image object of a column trace picture (seismo or spectro): draws the shown page of columns and
// the axes onto the picture, and renders the whole trace for saving and printing. The kinds differ
// only in how one column is drawn.

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "ColumnLabels.h"
#include "TracePages.h"
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

    // Draws the shown page of columns onto the cleared picture.
    void Draw(tTrcP* processing) override;
    void DrawAxes() override;
    void Clear() override;

    // Every measurement as a column with its name, with both axes; a null image when there are no
    // entries.
    QImage WholeTrace(tTrcP* processing);
    // The whole trace under its title block, as it is saved.
    QImage TitledTrace(tTrcP* processing);
    // Writes the whole trace in `format`: "PDF" for the printed pages, else a QImage format name
    // for the bitmap (titled when titleOnBitmap), BMP unless told. Nothing happens for an empty name
    // or a trace without entries; false when the file could not be written.
    bool SaveToFile(tTrcP* processing, const QString& fileName, const char* format = "BMP");
    // Prints the whole trace over as many landscape pages as its columns need. Nothing happens
    // for a trace without entries; false when the printer could not be started.
    bool Print(tTrcP* processing, QPrinter& printer);

    // What the title block of this trace says.
    tTraceTitle Title() const;
    // Columns first ... first + count - 1 as drawn, in greys, from their top down to the deepest
    // depth they show; null when there are no entries.
    QImage ColumnSlice(tTrcP* processing, int first, int count);
    // Where the columns stand on the picture (the shown page) or on the whole-trace bitmap.
    tColumnFrame Frame(const QImage& target, bool wholeTrace) const;

    tTrcColumnsCnf conf;
    // The saved bitmap keeps the width of its columns unless asked for the title block: a script
    // may cut columns out of it by their places. Printed pages and PDF always have the title.
    bool titleOnBitmap = false;
    std::unique_ptr<tTrcAxe> horizontal;
    std::unique_ptr<tTrcAxe> vertical;

protected:
    // Draws one column centred at x0, from the top of the columns down to `bottom`.
    virtual void DrawColumn(QImage& image, const IArray<TPoint>& points, int x0, int bottom) const = 0;
    // The trace's name in the title block, and whether the gain shapes it.
    virtual QString Kind() const = 0;
    virtual bool Amplified() const = 0;

private:
    // Every column of the trace side by side, as the whole-trace bitmap holds them, drawn once
    // after the entries changed: scrolling copies a page out of it instead of drawing again. The
    // columns are greys only (white, light grey, black), kept a byte a pixel so that a page
    // reads little memory.
    struct Strip {
        const tTrcP_Columns* source = nullptr;
        std::uint64_t generation = 0;
        int step = 0, count = 0;
        QImage greys;
        // Per column, the pixel column at the start of its cell and the one just past its cell
        // as the column alone paints them (rows one after the other): a column reaches one pixel
        // into the next cell when the step is even, and a page has no neighbours outside it.
        std::vector<uchar> firstPixels, pastPixels;
    };

    const tTrcP_Columns& Entries(tTrcP* processing) const;
    // The strip of `entries` in greys, with the names above the columns; null when no memory could
    // be had for it.
    const QImage& Columns(const tTrcP_Columns& entries);
    void CopyPage(const QImage& greys);
    // Names of the columns on the picture's page, when they are not copied from the strip.
    void DrawPageNames();

    Strip strip_;
};
