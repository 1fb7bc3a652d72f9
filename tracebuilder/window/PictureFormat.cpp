#include "PictureFormat.h"

#include <QFileInfo>

namespace {

struct Format {
    const char* suffixes[2];
    const char* format;
};

constexpr Format kFormats[] = {{{"bmp", nullptr}, "BMP"},
                               {{"png", nullptr}, "PNG"},
                               {{"jpg", "jpeg"}, "JPEG"},
                               {{"pdf", nullptr}, "PDF"}};

} // namespace

const QString kPdfSheetsFilter = QStringLiteral("Листы для печати PDF (*.pdf)");
const QString kPictureFilters =
    QStringLiteral("Рисунок BMP (*.bmp);;Рисунок PNG (*.png);;Рисунок JPEG (*.jpg *.jpeg);;") +
    kPdfSheetsFilter;

PictureTarget pictureTarget(const QString& fileName, const QString& filter) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const Format& f : kFormats)
        for (const char* s : f.suffixes)
            if (s && suffix == QLatin1String(s))
                return {fileName, f.format};
    for (const Format& f : kFormats)
        if (filter.contains(QStringLiteral("*.") + QLatin1String(f.suffixes[0])))
            return {fileName + '.' + QLatin1String(f.suffixes[0]), f.format};
    return {fileName + QStringLiteral(".bmp"), "BMP"};
}
