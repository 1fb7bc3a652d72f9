// A seeded walk of random user actions through the window: commands with scripted answers,
// keys in the grid, cursor moves, typed numbers and garbage, comments, imports of the demo
// folder, saves and cancelled changes. Nothing may crash or trip a sanitizer, and every saved
// file must reopen with exactly the rows the grid shows.
#include "WindowFixture.h"

#include "DownloadForm.h"
#include "RecordModel.h"

#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <random>

namespace {

class RandomActions : public WindowFixture {
protected:
    using Row = std::tuple<QString, int, int>; // date-time text, site, pile

    int pick(int n) { return int(rng() % unsigned(n)); }
    bool chance(int percent) { return pick(100) < percent; }

    std::vector<Row> gridRows() const {
        std::vector<Row> rows;
        const QAbstractItemModel* m = find<QAbstractItemView>("DBGrid")->model();
        for (int r = 0; r < m->rowCount(); ++r)
            rows.emplace_back(m->index(r, 0).data().toString(), m->index(r, 1).data().toInt(),
                              m->index(r, 2).data().toInt());
        return rows;
    }

    static std::vector<Row> fileRows(const QString& project) {
        std::vector<Row> rows;
        TMainDataModule dm;
        if (!dm.OpenProject(project))
            return rows;
        auto& t = dm.cdsVibrix;
        for (int r = 0; r < t.recordCount(); ++r)
            rows.emplace_back(TRecordModel::DateTimeText(vxds::asDouble(t.valueAt(r, 0))),
                              vxds::asInt(t.valueAt(r, 1)), vxds::asInt(t.valueAt(r, 2)));
        return rows;
    }

    QMessageBox::StandardButton anyAnswer() {
        const QMessageBox::StandardButton a[] = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
        return a[pick(3)];
    }

    void importDemo() {
        dialogs.folders.push_back(chance(90) ? demo : QString());
        const bool abort = chance(30);
        dialogs.onExec = [abort](QDialog& d) {
            auto* form = dynamic_cast<TDownloadForm*>(&d);
            d.show();
            const QDeadlineTimer deadline(30000);
            while (!abort && form->MainSpeedButton->text() != QStringLiteral("ОК") && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QTest::mouseClick(form->MainSpeedButton, Qt::LeftButton);
            return d.result();
        };
        trigger("AddSSMToProjAction");
        dialogs.onExec = nullptr;
    }

    void typeNumber() {
        auto* edit = find<QLineEdit>(chance(50) ? "AmpEdit" : "VelocityEdit");
        const char* texts[] = {"0",  "1,5", "0.25", "999,9", "1000", "4200.5", "abc",
                               "-3", "1e5", "inf",  "nan",   ",,",   ""};
        edit->selectAll();
        if (chance(20)) { // pasted, past the key filter
            edit->insert(QString::fromLatin1(texts[pick(13)]));
        } else {
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, QString::fromLatin1(texts[pick(13)]));
        }
        QTest::keyClick(edit, Qt::Key_Return);
    }

    void save() {
        if (!enabled("SaveProjectAction"))
            return; // nothing to save: the user cannot press it
        trigger("SaveProjectAction");
        if (!dialogs.messages.empty())
            return; // a failed save says so and proves nothing about the file
        EXPECT_EQ(fileRows(window->ProjectName()), gridRows()) << "after action " << step;
        ++saves;
    }

    void act() {
        const Qt::Key keys[] = {Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const char* toggles[] = {"Ch0SignalAction",    "Ch1SignalAction",    "HamSignalAction",
                                 "InvertSignalAction", "Ch0SpectrumAction",  "Ch1SpectrumAction",
                                 "FreqSpectrumAction", "DepthSpectrumAction"};
        const char* navigator[] = {"nbFirst", "nbPrior", "nbNext", "nbLast", "nbDelete", "nbPost"};
        const char* sliders[] = {"t0TrackBar", "t1TrackBar", "f0TrackBar"};
        dialogs.answers = {anyAnswer(), anyAnswer()};
        // An empty or closed project is now and then filled or opened again, as a user would.
        const TMainDataModule& dm = window->MainDataModule;
        int roll = pick(100);
        if (!dm.IsProjectOpen() && chance(25))
            roll = 86;
        else if (dm.IsProjectEmpty() && chance(5))
            roll = 78;
        if (roll < 8) {
            QTest::keyClick(find("DBGrid"), keys[pick(6)]);
        } else if (roll < 38) {
            auto* s = find<QSlider>(sliders[pick(3)]);
            s->setValue(s->minimum() + pick(std::max(s->maximum() - s->minimum(), 0) + 1));
        } else if (roll < 46) {
            typeNumber();
        } else if (roll < 58) {
            auto* memo = find<QPlainTextEdit>(chance(70) ? "CommentDBMemo" : "DescriptionDBMemo");
            memo->setFocus();
            typeText(memo, chance(50) ? QStringLiteral("трещина ") : QStringLiteral("ok\n"));
            if (chance(50))
                find("DBGrid")->setFocus();
        } else if (roll < 64) {
            trigger(toggles[pick(8)]);
        } else if (roll < 69) {
            QTest::mouseClick(find<QToolButton>(navigator[pick(6)]), Qt::LeftButton);
        } else if (roll < 75) {
            save();
        } else if (roll < 78) {
            trigger("CancelChangesAction");
        } else if (roll < 80) {
            importDemo();
        } else if (roll < 82) {
            trigger("DeleteAllRecordsAction");
        } else if (roll < 85) {
            trigger("CloseProjectAction");
        } else if (roll < 88) {
            dialogs.files.push_back(chance(80) ? project : QString());
            trigger("OpenProjectAction");
        } else if (roll < 90) {
            dialogs.files.push_back(chance(50) ? QString()
                                               : at(chance(50) ? "data/new.cdsm" : "data/other.cdsm"));
            trigger("CreateNewProjectAction");
            project = window->ProjectName().isEmpty() ? project : window->ProjectName();
        } else {
            // The dialogs of these are cancelled: a disabled action does nothing.
            const char* others[] = {"miHelp",
                                    "AboutMenuItem",
                                    "ColorsAction",
                                    "FTProcessingAction",
                                    "SignalExportAction",
                                    "PrintReportAction"};
            trigger(others[pick(6)]);
        }
        // Every error box of the walk is expected to come from a command's own failure text.
        for (const auto& m : dialogs.messages)
            EXPECT_EQ(m.caption, QStringLiteral("Vibrix4")) << m.text.toStdString();
        dialogs.messages.clear();
        dialogs.files.clear();
        dialogs.folders.clear();
    }

    std::mt19937 rng{20260615};
    QString demo, project;
    int step = 0, saves = 0;
};

} // namespace

TEST_F(RandomActions, ThreeThousandActionsLeaveEverySavedFileAsTheGridShowsIt) {
    std::string error;
    ssmgen::writeDemoFolder(at("data/demo").toStdString(), error);
    ASSERT_TRUE(error.empty()) << error;
    demo = at("data/demo");
    project = projectOf("site.cdsm", writeFolder("in", {1, 2, 3, 4}));
    TMainForm& w = open(project);
    w.show();
    for (step = 0; step < 3000; ++step) {
        act();
        if (step % 25 == 0) // what has been queued is drawn, as between a user's actions
            QCoreApplication::processEvents();
        if (::testing::Test::HasFailure())
            break;
    }
    EXPECT_GT(saves, 10);
    dialogs.answers = {QMessageBox::No};
    EXPECT_TRUE(closeWindow());
}
