#pragma once
// The "Сваи" page of a main window opened on a project of model piles, with the mouse and keys
// an engineer uses on it.
#include "WindowFixture.h"

#include "../../support/ModelPile.h"
#include "ChartInteraction.h"
#include "NumberEdit.h"
#include "NumberFormat.h"
#include "PileChart.h"
#include "PilePage.h"
#include "RemarkEdit.h"
#include "SiteSpeedPanel.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <cmath>

class PilePageFixture : public WindowFixture {
protected:
    // Piles 1..count of site 1, five blows each, 12 m long at 4000 m/s (the records say 3800);
    // pile `narrowed` narrows to half its section from 5 m down for 1,5 m.
    QString pileProject(int count = 3, int narrowed = 0) {
        const QString dir = at("data/piles");
        QDir().mkpath(dir);
        const QString file = at("data/piles.cdsm");
        TMainDataModule dm;
        EXPECT_TRUE(dm.CreateProject(file));
        EXPECT_TRUE(dm.OpenProject(file));
        for (int pile = 1; pile <= count; ++pile) {
            ssmgen::PileSpec s;
            s.file.siteNumber = 1;
            s.file.pileNumber = std::uint16_t(pile);
            s.file.velocity = 3800;
            s.file.pile.length = 12 + 0.2 * pile;
            s.file.pile.waveVelocity = 4000;
            s.file.pile.toeReflection = pilemodel::kFreeToe;
            s.file.pile.seed = std::uint32_t(pile);
            if (pile == narrowed)
                s.file.pile.profile = {{pilemodel::SectionKind::Narrowing, 5.0, 1.5, 0.5}};
            s.file.fileTime = std::chrono::sys_days{std::chrono::year{2026} / 6 / 1} + std::chrono::hours{8} +
                              std::chrono::minutes{pile};
            s.stem = "p" + std::to_string(pile);
            s.blows = 5;
            ImportModelPile(dm, dir, s);
        }
        EXPECT_TRUE(dm.CloseProject());
        return file;
    }

    TPilePage& openPage(const QString& project) {
        open(project);
        window->show();
        window->PageControl->setCurrentWidget(window->PilePage);
        TPilePage& page = *window->PilePage;
        page.ChooseMarkKind = [this](QPoint) -> std::optional<QString> { return nextKind; };
        return page;
    }

    static void enter(TNumberEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        typeText(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // A mouse event at the pixel column of a depth, half way down the chart.
    void mouse(QEvent::Type type, double depth, Qt::MouseButtons buttons = Qt::LeftButton) {
        QCoreApplication::processEvents(); // the chart drawn, as the user sees it
        QCustomPlot* chart = window->PilePage->AverageChart;
        const QPointF at(chart->xAxis->coordToPixel(depth), chart->axisRect()->center().y());
        QMouseEvent event(type, at, chart->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(chart, &event);
    }
    void doubleClick(double depth) { mouse(QEvent::MouseButtonDblClick, depth); }
    void drag(double from, double to) {
        mouse(QEvent::MouseButtonPress, from);
        mouse(QEvent::MouseMove, (from + to) / 2);
        mouse(QEvent::MouseMove, to);
        mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    // The depth a pixel column stands for: what a mark dropped there is at.
    double pixelDepth(double depth) const {
        QCoreApplication::processEvents();
        QCustomPlot* chart = window->PilePage->AverageChart;
        return chart->xAxis->pixelToCoord(std::round(chart->xAxis->coordToPixel(depth)));
    }

    QString cell(int row, int column, int role = Qt::DisplayRole) const {
        return window->PilePage->PileList->model()->index(row, column).data(role).toString();
    }
    // The list's row of a pile, -1 when it is not listed.
    int rowOf(int pile) const {
        for (int row = 0; row < rows(); ++row)
            if (cell(row, 1) == QString::number(pile))
                return row;
        return -1;
    }
    int rows() const { return window->PilePage->PileList->model()->rowCount(); }
    int currentRow() const { return window->PilePage->PileList->currentIndex().row(); }

    std::optional<QString> nextKind = TPilePage::ToeKind();
};
