// The main window on 250 generated files, 500 channels built into both traces, one channel in
// the single view. Every figure goes through the window's own handlers and its timer tick.

#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <string>

#include "ScriptedDialogs.h"
#include "SsmGenerator.h"
#include "TForm1.h"
#include "TracePicture.h"
#include "tCatalogueSet.h"
#include "tDDCES.h"
#include "tSMVW.h"
#include "tTraceSet.h"

namespace {

constexpr int kFiles = 250; // two channels each

// Kept to the very end: the printer support's clean-up at exit needs it still there.
QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_window";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

struct Window {
    Window() {
        application();
        for (int i = 0; i < kFiles; ++i) {
            ssmgen::FileSpec s;
            s.version = ssm::Version(1 + i % 3);
            s.siteNumber = std::uint8_t(1 + i / 100);
            s.pileNumber = std::uint16_t(i);
            s.pile.length = 6.0 + (i % 20);
            s.pile.seed = std::uint32_t(i + 1);
            std::string error;
            ssmgen::write(
                (folder.path() + QStringLiteral("/p_%1.ssm").arg(i, 3, 10, QLatin1Char('0'))).toStdString(),
                s, error);
        }
        form =
            std::make_unique<TForm1>(engine, dialogs, TForm1::Places{folder.path(), QString(), {{"/", "/"}}});
        auto* checks = form->findChild<QListWidget*>("CheckListBox__Appropriate_files");
        checks->setCurrentRow(0);
        form->CheckListBox__Appropriate_filesClick();
        form->Button__Make_traceClick();
        form->Timer1Timer();
    }

    const tTrc__DataList& checked() { return form->catalogue().catalogue.checked(); }

    QTemporaryDir folder;
    tDDCES engine;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

Window& window() {
    static Window w;
    return w;
}

void BM_IdleTick(benchmark::State& state) {
    Window& w = window();
    for (auto _ : state)
        w.form->Timer1Timer();
    if (w.form->traces().server.node.NeedsUpdate() || !w.form->singleView().server.built)
        state.SkipWithError("the window is not idle");
}
BENCHMARK(BM_IdleTick)->Unit(benchmark::kMicrosecond);

// The anchor: one period of a 100 ms timer.
void BM_TimerPeriod(benchmark::State& state) {
    application();
    for (auto _ : state) {
        QEventLoop loop;
        QTimer::singleShot(100, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}
BENCHMARK(BM_TimerPeriod)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A page further (back at the far end), as a click beside the thumb does, then the tick.
void BM_ScrollPage(benchmark::State& state) {
    Window& w = window();
    auto* scroll = w.form->findChild<QScrollBar*>("ScrollBar__Seysmo_trace");
    auto action = QAbstractSlider::SliderPageStepAdd;
    for (auto _ : state) {
        if (scroll->value() == scroll->maximum())
            action = QAbstractSlider::SliderPageStepSub;
        else if (scroll->value() == scroll->minimum())
            action = QAbstractSlider::SliderPageStepAdd;
        scroll->triggerAction(action);
        w.form->Timer1Timer();
    }
    if (w.form->traces().seismoImage.conf.count != 2 * kFiles)
        state.SkipWithError("not a trace of 500 columns");
}
BENCHMARK(BM_ScrollPage)->Unit(benchmark::kMillisecond);

// The anchor: an image of the picture's size drawn onto it.
void BM_BlitPicture(benchmark::State& state) {
    Window& w = window();
    QImage& picture = w.form->findChild<TracePicture*>("Image__Seysmo_trace")->image();
    QImage other(picture.size(), picture.format());
    other.fill(Qt::gray);
    for (auto _ : state) {
        QPainter painter(&picture);
        painter.drawImage(0, 0, other);
    }
    w.form->traces().Build(w.checked()); // the picture as it was
}
BENCHMARK(BM_BlitPicture)->Unit(benchmark::kMillisecond);

// The pointer moved over the seismo trace: the read-out under the picture follows, nothing is drawn.
void BM_MouseMove(benchmark::State& state) {
    Window& w = window();
    auto* picture = w.form->findChild<TracePicture*>("Image__Seysmo_trace");
    int x = 100;
    for (auto _ : state) {
        x = x >= 800 ? 100 : x + 7;
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 300), picture->mapToGlobal(QPointF(x, 300)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(picture, &move);
    }
    if (w.form->findChild<QLabel*>("Label__Seysmo_readout")->text().isEmpty())
        state.SkipWithError("no read-out under the picture");
}
BENCHMARK(BM_MouseMove)->Unit(benchmark::kMillisecond);

// A velocity typed on the third tab with Enter, then the tick that redraws what it marked.
void BM_Velocity500(benchmark::State& state) {
    Window& w = window();
    auto* edit = w.form->findChild<QLineEdit*>("Edit__Velocity_on_Tab3");
    bool faster = false;
    for (auto _ : state) {
        edit->setText((faster = !faster) ? "2001" : "2000");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &enter);
        w.form->Timer1Timer();
    }
    if (w.form->traces().server.node.NeedsUpdate() || !w.dialogs.messages.empty())
        state.SkipWithError("the tick did not redraw the traces");
}
BENCHMARK(BM_Velocity500)->Unit(benchmark::kMillisecond);

// The anchor: both traces of the same columns built directly.
void BM_Build500(benchmark::State& state) {
    Window& w = window();
    for (auto _ : state)
        w.form->traces().Build(w.checked());
}
BENCHMARK(BM_Build500)->Unit(benchmark::kMillisecond);

} // namespace

BENCH_RATIO(idle_tick_vs_period, "BM_IdleTick", "BM_TimerPeriod", 0.001);
BENCH_RATIO(scroll_page_vs_blit, "BM_ScrollPage", "BM_BlitPicture", 3);
BENCH_RATIO(mouse_move_vs_blit, "BM_MouseMove", "BM_BlitPicture", 0.2);
BENCH_RATIO(velocity500_vs_builds, "BM_Velocity500", "BM_Build500", 1.1);
