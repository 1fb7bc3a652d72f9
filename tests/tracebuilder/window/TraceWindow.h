#pragma once
// The trace builder's main window on generated measurement files, offscreen, with scripted
// dialogs; controls are found by their given names.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <qcustomplot.h>

#include "../../support/ScriptedDialogs.h"
#include "SsmGenerator.h"
#include "TForm1.h"
#include "TracePicture.h"
#include "tDDCES.h"

// A folder of measurement files: piles 1 and 2 of site 1 and pile 5 of site 2, each with two
// channels, in three versions; a different pile length per file, so the pictures differ.
class MeasurementFolder {
public:
    explicit MeasurementFolder(const QStringList& names = {"f1_001.ssm", "f1_002.ssm", "f2_005.ssm"}) {
        const ssm::Version versions[] = {ssm::Version::V1_0, ssm::Version::V1_1, ssm::Version::V1_2};
        for (int i = 0; i < names.size(); ++i) {
            ssmgen::FileSpec s;
            s.version = versions[i % 3];
            s.siteNumber = std::uint8_t(i < 2 ? 1 : 2);
            s.pileNumber = std::uint16_t(i < 2 ? i + 1 : 5);
            s.pile.length = 8.0 + 2.0 * i;
            s.pile.seed = std::uint32_t(i + 1);
            std::string error;
            EXPECT_TRUE(ssmgen::write((dir_.path() + "/" + names[i]).toStdString(), s, error)) << error;
        }
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

struct TraceWindow {
    explicit TraceWindow(const QString& folder, const QString& programFolder = QString(),
                         const QList<DriveEntry>& drives = {{"/", "/"}},
                         std::unique_ptr<ScriptedDialogs> scripted = std::make_unique<ScriptedDialogs>())
        : ownDialogs(std::move(scripted)), dialogs(*ownDialogs) {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        form = std::make_unique<TForm1>(engine, dialogs, TForm1::Places{folder, programFolder, drives});
    }
    ~TraceWindow() {
        form.reset();
        QLocale::setDefault(QLocale::c());
    }

    template <class T = QWidget> T* find(const char* name) const {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QListWidget* fileList() const { return find<QListWidget>("All_files_in_folder"); }
    QListWidget* checkList() const { return find<QListWidget>("CheckListBox__Appropriate_files"); }
    QTabWidget* tabs() const { return find<QTabWidget>("PageControl1"); }
    bool tabShown(const char* sheet) const { return tabs()->isTabVisible(tabs()->indexOf(find(sheet))); }

    // A number typed into an edit as a user types it, then Enter.
    void type(const char* edit, const QString& text) const {
        QLineEdit* e = find<QLineEdit>(edit);
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    // A click on the text of a check-list line, away from its check mark.
    void clickLine(int row) const {
        const QRect r = checkList()->visualItemRect(checkList()->item(row));
        QTest::mouseClick(checkList()->viewport(), Qt::LeftButton, {}, QPoint(r.right() - 5, r.center().y()));
    }
    void click(const char* button) const { QTest::mouseClick(find(button), Qt::LeftButton); }
    // A click on a check box's own box, wherever the layout stretched it to.
    void tickBox(const char* box) const {
        QWidget* b = find(box);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
    void tick() const { form->Timer1Timer(); }

    QStringList lines(QListWidget* list) const {
        QStringList l;
        for (int i = 0; i < list->count(); ++i)
            l << list->item(i)->text();
        return l;
    }
    QImage picture(const char* name) const { return find<TracePicture>(name)->image(); }
    // The abscissas of a single-view chart's curve.
    std::vector<double> keys(const char* chart) const {
        std::vector<double> k;
        for (const QCPGraphData& d : *find<QCustomPlot>(chart)->graph(0)->data())
            k.push_back(d.key);
        return k;
    }

    tDDCES engine;
    std::unique_ptr<ScriptedDialogs> ownDialogs;
    ScriptedDialogs& dialogs;
    std::unique_ptr<TForm1> form;
};
