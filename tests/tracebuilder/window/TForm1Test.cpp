// The main window as a user meets it: the lists and the filter, the single view, builds and the
// redraws at the next tick, folder changes.
#include "TraceWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTreeView>

#include "FolderNavigator.h"
#include "tCatalogueSet.h"
#include "tSMVW.h"
#include "tTraceSet.h"

namespace {

// The window's two traces drawn apart from it, from the same channels and parameters.
struct ReferenceTraces {
    ReferenceTraces(const tTrc__DataList& checked, double velocity) {
        app.velocity = velocity;
        set.Build(checked);
    }
    tAppInt app;
    QTabWidget tabs;
    tTraceTab seismo{tabs, "СЕЙСМО Трасса", 1, 1, 1};
    tTraceTab spectro{tabs, "СПЕКТРО Трасса", 0, 90, 10};
    tTraceSet set{&app, seismo, spectro};
};

TEST(TForm1, AFolderWithoutMeasurementsOffersNothingAndTheTimerIdles) {
    QTemporaryDir empty;
    TraceWindow w(empty.path());
    EXPECT_EQ(w.form->windowTitle(), "ТРАССЫ---Vibrix4");
    EXPECT_EQ(w.lines(w.fileList()), QStringList{"--Файлов измерений нет--"});
    EXPECT_EQ(w.checkList()->count(), 0);
    EXPECT_FALSE(w.find("BitBtn__Make_trace")->isEnabled());
    EXPECT_FALSE(w.find("Button__Extract")->isEnabled());
    EXPECT_FALSE(w.tabShown("TabSheet2"));
    EXPECT_FALSE(w.tabShown("TabSheet3"));
    // The bound edits show the parameters as soon as they are bound.
    for (const char* edit : {"Edit__Velocity_on_Tab1", "Edit__Velocity_on_Tab2", "Edit__Velocity_on_Tab3"})
        EXPECT_EQ(w.find<QLineEdit>(edit)->text(), "2000") << edit;
    EXPECT_EQ(w.find<QLineEdit>("Edit__Ku_on_Tab2")->text(), "0");
    EXPECT_EQ(w.find<QLineEdit>("Edit__Base_on_Tab3")->text(), "1");
    EXPECT_EQ(w.find<QLineEdit>("Edit__Depth_for_single")->text(), "50");
    EXPECT_FALSE(w.find("Edit__Depth_for_single")->isEnabled());

    const QImage blank = w.picture("Image__Seysmo_trace");
    w.type("Edit__Velocity_on_Tab1", "3000");
    w.tick();
    w.tick();
    EXPECT_FALSE(w.form->traces().server.built);
    EXPECT_FALSE(w.form->singleView().server.built);
    EXPECT_EQ(w.picture("Image__Seysmo_trace"), blank);
    EXPECT_TRUE(w.keys("Chart__Single_file__Seysmo").empty());
    EXPECT_TRUE(w.dialogs.messages.empty());
}

TEST(TForm1, TheFilterNarrowsTheCheckList) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    EXPECT_EQ(w.lines(w.fileList()).size(), 3);
    EXPECT_TRUE(w.lines(w.fileList())[2].contains("П:  2     С:  5    Файл Vibrix4 v1.2"));
    EXPECT_EQ(w.checkList()->count(), 6);
    w.tickBox("CheckBox__Filter_On_Off");
    EXPECT_TRUE(w.find("Edit__Filter_Field_N")->isEnabled());
    w.type("Edit__Filter_Field_N", "1");
    EXPECT_EQ(w.checkList()->count(), 4);
    w.type("Edit__Filter_Pile_N", "2");
    EXPECT_EQ(w.checkList()->count(), 2);
    w.tickBox("CheckBox__Filter_Ch_2_Sel");
    EXPECT_EQ(w.lines(w.checkList()),
              QStringList{" Файл : f1_002.ssm       Поле:  1      Свая:  2       Канал: 1"});
    w.tickBox("CheckBox__Filter_Ch_1_Sel");
    EXPECT_EQ(w.checkList()->count(), 0);
    EXPECT_FALSE(w.find("BitBtn__Make_trace")->isEnabled());
    w.tickBox("CheckBox__Filter_On_Off");
    EXPECT_EQ(w.checkList()->count(), 6);
    EXPECT_TRUE(w.find("Button__Extract")->isEnabled());
}

TEST(TForm1, AClickedChannelShowsInBothChartsAtTheNextTick) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.clickLine(2);
    EXPECT_TRUE(w.keys("Chart__Single_file__Seysmo").empty()); // nothing is drawn in the handler
    w.tick();
    const std::vector<double> seismo = w.keys("Chart__Single_file__Seysmo");
    ASSERT_FALSE(seismo.empty());
    EXPECT_GT(seismo.back(), 49);
    EXPECT_LE(seismo.back(), 50);
    EXPECT_LE(w.keys("Chart__Single_file__Spectr").back(), 50);
    EXPECT_TRUE(w.find("Edit__Depth_for_single")->isEnabled());

    // The depth edit sets how deep both charts reach.
    w.type("Edit__Depth_for_single", "20");
    w.tick();
    EXPECT_GT(w.keys("Chart__Single_file__Seysmo").back(), 19);
    EXPECT_LE(w.keys("Chart__Single_file__Seysmo").back(), 20);
    EXPECT_LE(w.keys("Chart__Single_file__Spectr").back(), 20);

    // Milliseconds: the whole record, the depth edit closed; the spectrum is left as it was.
    const std::vector<double> spectrum = w.keys("Chart__Single_file__Spectr");
    QTest::mouseClick(w.find<RadioGroup>("RadioGroup__Single_file__Seysmo_dimension")->items()->button(1),
                      Qt::LeftButton);
    EXPECT_FALSE(w.find("Edit__Depth_for_single")->isEnabled());
    w.tick();
    EXPECT_GT(w.keys("Chart__Single_file__Seysmo").back(), 300);
    EXPECT_EQ(w.keys("Chart__Single_file__Spectr"), spectrum);

    // Another line replaces the channel on show.
    w.clickLine(0);
    w.tick();
    ASSERT_EQ(w.form->singleView().shown.size(), 1u);
    EXPECT_EQ(w.form->singleView().shown[0]->points.count(), 15872); // f1_001 is a v1.0 file
    EXPECT_EQ(w.keys("Chart__Single_file__Seysmo").size(), 15872u);
}

// A measurement opened from the file manager: its folder listed, its channel on show.
TEST(TForm1, AFileGivenAtStartShowsItsFolderAndItsChannel) {
    MeasurementFolder folder;
    TraceWindow w(folder.path() + "/f2_005.ssm");
    EXPECT_EQ(w.fileList()->count(), 3);
    ASSERT_GE(w.checkList()->currentRow(), 0);
    EXPECT_TRUE(w.checkList()->currentItem()->text().contains("f2_005.ssm"));
    w.tick();
    ASSERT_EQ(w.form->singleView().shown.size(), 1u);
    EXPECT_TRUE(w.find<QLabel>("Label__Single_file")->text().startsWith("f2_005.ssm"))
        << w.find<QLabel>("Label__Single_file")->text().toStdString();
}

TEST(TForm1, TheBuildShowsBothTracesAsTheTraceSetDrawsThem) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.checkList()->item(1)->setCheckState(Qt::Unchecked);
    w.click("BitBtn__Make_trace");
    EXPECT_TRUE(w.tabShown("TabSheet2"));
    EXPECT_TRUE(w.tabShown("TabSheet3"));
    const tTrc__DataList& checked = w.form->catalogue().catalogue.checked();
    ASSERT_EQ(checked.size(), 5u);
    const ReferenceTraces reference(checked, 2000);
    EXPECT_EQ(w.picture("Image__Seysmo_trace"), reference.seismo.picture->image());
    EXPECT_EQ(w.picture("Image__Spectr_trace"), reference.spectro.picture->image());
    EXPECT_TRUE(w.dialogs.messages.empty());
}

TEST(TForm1, AVelocityTypedOnTheThirdTabRedrawsBothTracesAndTheSingleViewAtTheNextTick) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.clickLine(3);
    w.tick();
    w.click("BitBtn__Make_trace");
    const QImage seismo = w.picture("Image__Seysmo_trace");
    const std::vector<double> chart = w.keys("Chart__Single_file__Seysmo");

    w.type("Edit__Velocity_on_Tab3", "4000");
    EXPECT_EQ(w.find<QLineEdit>("Edit__Velocity_on_Tab1")->text(), "4000");
    EXPECT_EQ(w.find<QLineEdit>("Edit__Velocity_on_Tab2")->text(), "4000");
    EXPECT_EQ(w.picture("Image__Seysmo_trace"), seismo); // not before the tick
    w.tick();
    const ReferenceTraces reference(w.form->catalogue().catalogue.checked(), 4000);
    EXPECT_EQ(w.picture("Image__Seysmo_trace"), reference.seismo.picture->image());
    EXPECT_EQ(w.picture("Image__Spectr_trace"), reference.spectro.picture->image());
    // Depth doubles with the velocity: the curve reaches 50 m after half as many samples.
    EXPECT_NEAR(double(w.keys("Chart__Single_file__Seysmo").size()), chart.size() / 2.0, 2);
}

TEST(TForm1, AnotherFolderRefillsTheListsAndThePicturesStay) {
    MeasurementFolder folder, other({"g_7.ssm"});
    QTemporaryDir empty;
    TraceWindow w(folder.path(), QString(), {{"/", "/"}, {"временная", other.path()}});
    w.click("BitBtn__Make_trace");
    const QImage seismo = w.picture("Image__Seysmo_trace");

    w.form->navigator().SelectFolder(empty.path());
    EXPECT_EQ(w.lines(w.fileList()), QStringList{"--Файлов измерений нет--"});
    EXPECT_EQ(w.checkList()->count(), 0);
    EXPECT_FALSE(w.find("BitBtn__Make_trace")->isEnabled());
    w.tick();
    EXPECT_EQ(w.picture("Image__Seysmo_trace"), seismo);
    EXPECT_EQ(w.form->catalogue().catalogue.checked().size(), 6u);

    // The drive box moves the tree to the chosen volume's root, which is listed.
    auto* drives = w.find<QComboBox>("DriveComboBox");
    drives->setFocus();
    QTest::keyClick(drives, Qt::Key_Down);
    EXPECT_EQ(w.form->navigator().Folder(), other.path());
    EXPECT_EQ(w.find<QTreeView>("CDirectoryOutline")->currentIndex().data().toString(),
              QDir(other.path()).dirName());
    EXPECT_TRUE(w.lines(w.fileList()).first().startsWith("g_7.ssm"));
    EXPECT_EQ(w.checkList()->count(), 2);
    EXPECT_TRUE(w.find("BitBtn__Make_trace")->isEnabled());
    EXPECT_EQ(w.picture("Image__Seysmo_trace"), seismo);
}

TEST(TForm1, ADoubleClickInvertsTheMarksOnce) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.checkList()->item(4)->setCheckState(Qt::Unchecked);
    const QRect r = w.checkList()->visualItemRect(w.checkList()->item(1));
    const QPoint text(r.right() - 5, r.center().y());
    QTest::mouseClick(w.checkList()->viewport(), Qt::LeftButton, {}, text);
    QTest::mousePress(w.checkList()->viewport(), Qt::LeftButton, {}, text);
    QTest::mouseDClick(w.checkList()->viewport(), Qt::LeftButton, {}, text);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(w.checkList()->item(i)->checkState(), i == 4 ? Qt::Checked : Qt::Unchecked) << i;
    EXPECT_TRUE(w.find("BitBtn__Make_trace")->isEnabled());
}

TEST(TForm1, ShutdownStopsTheTimerBeforeTheObjectsGo) {
    MeasurementFolder folder;
    auto w = std::make_unique<TraceWindow>(folder.path());
    QTimer* timer = w->form->findChild<QTimer*>("Timer1");
    ASSERT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 100);
    bool tickingWhenTheCatalogueWent = true;
    QObject::connect(&w->form->catalogue().catalogue, &QObject::destroyed,
                     [&] { tickingWhenTheCatalogueWent = timer->isActive(); });
    w.reset();
    EXPECT_FALSE(tickingWhenTheCatalogueWent);
}

} // namespace

namespace {

// Message boxes that run an event loop of their own while they are open, as real ones do; the
// window's timer goes on ticking meanwhile.
struct ModalBoxes : ScriptedDialogs {
    void message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override {
        ScriptedDialogs::message(parent, caption, text, icon);
        QTest::qWait(350);
    }
};

TEST(TForm1, APipelineErrorIsSaidOnceAndTheWindowRecovers) {
    MeasurementFolder folder;
    TraceWindow w(folder.path(), QString(), {{"/", "/"}}, std::make_unique<ModalBoxes>());
    w.clickLine(0);
    w.click("BitBtn__Make_trace");
    w.tick();
    ASSERT_TRUE(w.dialogs.messages.empty());

    // A base no edit lets through makes every redraw of the traces fail.
    w.form->app().base = 0;
    w.form->traces().seismoValues.config->syn.SetChanged();
    w.tick(); // the box is open for a while: the timer's ticks inside it poll nothing
    w.tick();
    w.tick();
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].icon, UserDialogs::Icon::Error);
    EXPECT_TRUE(w.form->traces().server.node.NeedsUpdate()); // the marks wait for a good value
    w.clickLine(1); // nothing the traces read: they are not tried, nor is the box shown again
    w.tick();
    EXPECT_EQ(w.dialogs.messages.size(), 1u);

    // The single view's server goes on while the traces' one fails.
    const std::size_t before = w.keys("Chart__Single_file__Seysmo").size();
    w.type("Edit__Velocity_on_Tab1", "4000");
    w.tick();
    EXPECT_NEAR(double(w.keys("Chart__Single_file__Seysmo").size()), before / 2.0, 2);
    EXPECT_EQ(w.dialogs.messages.size(), 2u); // the velocity, which they read: tried and said again

    w.type("Edit__Base_on_Tab3", "1");
    w.tick();
    EXPECT_EQ(w.dialogs.messages.size(), 2u);
    EXPECT_FALSE(w.form->traces().server.node.NeedsUpdate());
    const ReferenceTraces reference(w.form->catalogue().catalogue.checked(), 4000);
    EXPECT_EQ(w.picture("Image__Seysmo_trace"), reference.seismo.picture->image());
}

} // namespace

namespace {

TEST(TForm1, ValuesThePicturesCannotUseAreRefusedAndThePicturesStay) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.clickLine(0);
    w.click("BitBtn__Make_trace");
    w.tick();
    const QImage seismo = w.picture("Image__Seysmo_trace");
    const std::vector<double> chart = w.keys("Chart__Single_file__Seysmo");
    const struct {
        const char *edit, *typed, *inForce, *why;
    } refused[] = {
        {"Edit__Base_on_Tab2", "0", "1", "База должна быть больше нуля."},
        {"Edit__Velocity_on_Tab3", "-4000", "2000", "Скорость должна быть больше нуля."},
        {"Edit__Depth_for_single", "0", "50", "Глубина должна быть больше нуля."},
        {"Edit__Ku_on_Tab1", "8000000", "0",
         "Усиление должно быть от -351 до 351: при большем усилении отсчёты не представимы числами."}};
    for (const auto& r : refused) {
        w.type(r.edit, r.typed);
        ASSERT_FALSE(w.dialogs.messages.empty()) << r.edit;
        EXPECT_EQ(w.dialogs.messages.back().text, QString::fromUtf8(r.why)); // the parameter's words alone
        EXPECT_EQ(w.dialogs.messages.back().icon, UserDialogs::Icon::Error);
        EXPECT_EQ(w.find<QLineEdit>(r.edit)->text(), r.inForce) << r.edit;
    }
    EXPECT_EQ(w.dialogs.messages.size(), 4u); // each said once
    EXPECT_EQ(w.form->app().base, 1.0);
    EXPECT_FALSE(w.form->traces().server.node.NeedsUpdate());
    w.tick();
    EXPECT_EQ(w.picture("Image__Seysmo_trace"), seismo);
    EXPECT_EQ(w.keys("Chart__Single_file__Seysmo"), chart);
}

TEST(TForm1, TheKeyboardMovesTheSingleViewAndAFilterThatHidesItsLineClearsIt) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    auto* caption = w.find<QLabel>("Label__Single_file");
    EXPECT_TRUE(caption->text().isEmpty());
    w.clickLine(0);
    w.tick();
    EXPECT_EQ(caption->text(), "f1_001.ssm · поле 1 · свая 1 · канал 1");
    w.checkList()->setFocus();
    QTest::keyClick(w.checkList(), Qt::Key_Down);
    EXPECT_EQ(caption->text(), "f1_001.ssm · поле 1 · свая 1 · канал 2");
    QTest::keyClick(w.checkList(), Qt::Key_Down);
    EXPECT_EQ(caption->text(), "f1_002.ssm · поле 1 · свая 2 · канал 1");
    w.tick();
    ASSERT_EQ(w.form->singleView().shown.size(), 1u);
    EXPECT_EQ(w.form->singleView().shown[0]->origin.fileName, "f1_002.ssm");
    EXPECT_EQ(w.form->singleView().shown[0]->points.count(), 16128); // f1_002 is a v1.1 file
    EXPECT_FALSE(w.keys("Chart__Single_file__Spectr").empty());

    // The filter keeps pile 5 only: the line on show is gone, and so are its curves.
    w.tickBox("CheckBox__Filter_On_Off");
    EXPECT_EQ(caption->text(), "f1_002.ssm · поле 1 · свая 2 · канал 1"); // still offered
    w.type("Edit__Filter_Pile_N", "5");
    EXPECT_TRUE(caption->text().isEmpty());
    EXPECT_TRUE(w.form->singleView().shown.empty());
    EXPECT_TRUE(w.keys("Chart__Single_file__Seysmo").empty());
    EXPECT_TRUE(w.keys("Chart__Single_file__Spectr").empty());
    EXPECT_FALSE(w.find("Chart__Single_file__Seysmo")->isEnabled());
    w.tick();
    EXPECT_TRUE(w.keys("Chart__Single_file__Seysmo").empty());
}

TEST(TForm1, VelocityFromTheFilesPutsEachMeasurementAtItsOwnDepths) {
    MeasurementFolder folder; // the generator writes 4000 m/s into every file
    TraceWindow w(folder.path());
    w.clickLine(2);
    w.click("BitBtn__Make_trace");
    w.tick();
    const std::size_t atTheEdits = w.keys("Chart__Single_file__Seysmo").size();
    auto* box = w.find<QCheckBox>("CheckBox__Velocity_from_files");
    EXPECT_EQ(box->text(), "из файлов");
    EXPECT_FALSE(box->isChecked());
    w.tickBox("CheckBox__Velocity_from_files");
    EXPECT_TRUE(w.form->app().velocityFromFiles);
    w.tick();
    EXPECT_NEAR(double(w.keys("Chart__Single_file__Seysmo").size()), atTheEdits / 2.0, 2);
    const ReferenceTraces reference(w.form->catalogue().catalogue.checked(), 4000);
    EXPECT_EQ(w.picture("Image__Seysmo_trace"), reference.seismo.picture->image());
    EXPECT_EQ(w.picture("Image__Spectr_trace"), reference.spectro.picture->image());
    // Every velocity edit and the line above the pictures tell the velocity the pictures are drawn
    // with; cleared, the box gives the edits back their velocity to type over.
    for (const char* edit : {"Edit__Velocity_on_Tab1", "Edit__Velocity_on_Tab2", "Edit__Velocity_on_Tab3"}) {
        EXPECT_EQ(w.find<QLineEdit>(edit)->text(), "из файлов, 4000 м/с") << edit;
        EXPECT_TRUE(w.find<QLineEdit>(edit)->isReadOnly()) << edit;
    }
    EXPECT_TRUE(w.find<QLabel>("Label__Spectr_source")->text().endsWith(", скорость из файлов, 4000 м/с"));
    w.type("Edit__Velocity_on_Tab2", "3000"); // takes no typing
    EXPECT_EQ(w.form->app().velocity, 2000);
    EXPECT_TRUE(w.dialogs.messages.empty());
    w.tickBox("CheckBox__Velocity_from_files");
    w.tick();
    for (const char* edit : {"Edit__Velocity_on_Tab1", "Edit__Velocity_on_Tab2", "Edit__Velocity_on_Tab3"})
        EXPECT_EQ(w.find<QLineEdit>(edit)->text(), "2000") << edit;
    EXPECT_FALSE(w.find<QLabel>("Label__Seysmo_source")->text().contains("скорость"));
}

TEST(TForm1, AFileGoneBeforeTheBuildIsLeftOutAndNamed) {
    MeasurementFolder folder;
    QTemporaryDir other;
    TraceWindow w(folder.path());
    QFile::remove(folder.path() + "/f1_002.ssm");
    w.click("BitBtn__Make_trace");
    EXPECT_EQ(w.form->traces().seismoImage.conf.count, 4);
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].icon, UserDialogs::Icon::Warning);
    EXPECT_EQ(w.dialogs.messages[0].text, "Трассы построены без файлов, которые не удалось прочитать (1):\n"
                                          "f1_002.ssm — файл или папка не найдены");
    // Each trace tab names the folder; another folder listed marks the pictures as the old ones.
    for (const char* label : {"Label__Seysmo_source", "Label__Spectr_source"}) {
        EXPECT_TRUE(w.find<QLabel>(label)->text().startsWith("Построено по папке " +
                                                             QDir::toNativeSeparators(folder.path()) + ", "));
        EXPECT_FALSE(w.find<QLabel>(label)->text().contains("другая папка"));
    }
    w.form->navigator().SelectFolder(other.path());
    EXPECT_TRUE(w.find<QLabel>("Label__Seysmo_source")
                    ->text()
                    .endsWith(" — открыта другая папка, постройте трассы заново"));
    w.form->navigator().SelectFolder(folder.path());
    EXPECT_FALSE(w.find<QLabel>("Label__Spectr_source")->text().contains("другая папка"));
}

} // namespace
