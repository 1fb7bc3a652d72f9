#pragma once
// The catalogue with the real controls of its window, offscreen.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include "tFLF.h"
#include "tTrcFiles.h"

// Records what the catalogue hands to the single view.
struct RecordingView : tSingleViewSink {
    void Show(const tTrc__Data* channel) override {
        ++shows;
        last = *channel;
    }
    void Unreadable(const QString& reason) override { why = reason; }
    int shows = 0;
    tTrc__Data last;
    QString why; // the last channel that could not be shown
};

// The controls as the window description sets them, before the filter takes them over.
struct FilterControls {
    FilterControls() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        site.setText("-");
        pile.setText("-");
        channel1.setChecked(true);
        channel2.setChecked(true);
        onOff.setChecked(true); // the filter switches itself off
        onOff.setText("Включен");
        channel1.setText("Канал 1");
        channel2.setText("Канал 2");
        for (QCheckBox* box : {&onOff, &channel1, &channel2})
            box->resize(box->sizeHint()); // a click in the middle hits the box
    }
    ~FilterControls() { QLocale::setDefault(QLocale::c()); }

    QCheckBox onOff, channel1, channel2;
    QLineEdit site, pile;
};

struct CatalogueWidgets : FilterControls {
    // The clicks wired as the window wires them.
    CatalogueWidgets() {
        checkList.resize(600, 400);
        QObject::connect(&checkList, &QListWidget::itemClicked, &files, [this] { files.CheckListClick(); });
        QObject::connect(&checkList, &QListWidget::itemDoubleClicked, &files,
                         [this] { files.CheckListDblClick(); });
    }

    void list(const QString& folder) {
        files.Clear();
        files.Scan(folder);
        files.FillCheckList();
    }

    QStringList checkLines() const {
        QStringList lines;
        for (int i = 0; i < checkList.count(); ++i)
            lines << checkList.item(i)->text();
        return lines;
    }

    QStringList fileLines() const {
        QStringList lines;
        for (int i = 0; i < fileList.count(); ++i)
            lines << fileList.item(i)->text();
        return lines;
    }

    int checkedCount() const {
        int n = 0;
        for (int i = 0; i < checkList.count(); ++i)
            n += checkList.item(i)->checkState() == Qt::Checked;
        return n;
    }

    bool buttonsEnabled() const {
        EXPECT_EQ(makeTrace.isEnabled(), extract.isEnabled());
        return makeTrace.isEnabled();
    }

    // A point on the text of a line, away from its check mark.
    QPoint linePoint(int row) const {
        const QRect r = checkList.visualItemRect(checkList.item(row));
        return QPoint(r.right() - 5, r.center().y());
    }

    void clickLine(int row) { QTest::mouseClick(checkList.viewport(), Qt::LeftButton, {}, linePoint(row)); }

    // The press and release of the first click come before the double-click event.
    void doubleClickLine(int row) {
        clickLine(row);
        QTest::mousePress(checkList.viewport(), Qt::LeftButton, {}, linePoint(row));
        QTest::mouseDClick(checkList.viewport(), Qt::LeftButton, {}, linePoint(row));
    }

    void typeFilter(QLineEdit& edit, const QString& text) {
        edit.setText(text);
        QTest::keyClick(&edit, Qt::Key_Return);
    }

    QListWidget fileList, checkList;
    QPushButton makeTrace, extract;
    RecordingView view;
    tFLF filter{&onOff, &site, &pile, &channel1, &channel2};
    tTrcFiles files{&fileList, &checkList, &filter, &makeTrace, &extract, &view};
};
