// The aligned lines of tracebuilder's lists keep their selection readable when the list loses focus.
#include <gtest/gtest.h>

#include "AlignedFields.h"

#include <QImage>
#include <QListWidget>
#include <QPainter>

#include <cstdlib>

namespace {

// How many pixels of `image` have all three channels within 60 of `colour`'s (text is smoothed).
int pixelsNear(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - colour.red()) < 60 && std::abs(c.green() - colour.green()) < 60 &&
                 std::abs(c.blue() - colour.blue()) < 60;
        }
    return n;
}

TEST(AlignedFields, ASelectedLineOutOfFocusTakesTheInactiveColours) {
    QListWidget list;
    QFont font = list.font();
    font.setPixelSize(18);
    list.setFont(font);
    list.addItem(QStringLiteral("1    15    ВВВВВВ"));
    auto* fields = new AlignedFields(&list, QStringLiteral("    "));
    QPalette palette = list.palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, Qt::darkBlue);
    palette.setColor(QPalette::Active, QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::lightGray);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);

    const auto draw = [&](QStyle::State active) {
        QStyleOptionViewItem option;
        option.initFrom(&list);
        option.palette = palette;
        option.rect = QRect(0, 0, 300, 24);
        option.state = QStyle::State_Enabled | QStyle::State_Selected | active;
        option.showDecorationSelected = true; // the whole row, as the list shows it
        QImage image(300, 24, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        fields->paint(&painter, option, list.model()->index(0, 0));
        return image;
    };
    const QImage focused = draw(QStyle::State_Active);
    EXPECT_GT(pixelsNear(focused, Qt::white), 5);
    const QImage inactive = draw(QStyle::State_None);
    EXPECT_GT(pixelsNear(inactive, Qt::black), 5); // dark text on the light selection (fonts differ)
    EXPECT_EQ(pixelsNear(inactive, Qt::white), 0);
}

} // namespace
