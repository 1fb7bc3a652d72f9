// Thousands of seeded random actions on the main window, as an impatient user makes them: no
// action may crash it or wake a sanitizer, and the window must still answer at the end.
#include "TraceWindow.h"

#include <QCheckBox>
#include <QScrollBar>
#include <QSlider>

#include <random>

#include "FolderNavigator.h"
#include "RadioGroup.h"
#include "tCatalogueSet.h"

namespace {

const char* const kEdits[] = {"Edit__Velocity_on_Tab1", "Edit__Velocity_on_Tab2", "Edit__Velocity_on_Tab3",
                              "Edit__Ku_on_Tab1",       "Edit__Ku_on_Tab2",       "Edit__Base_on_Tab2",
                              "Edit__Base_on_Tab3",     "Edit__Depth_for_single", "Edit__Filter_Field_N",
                              "Edit__Filter_Pile_N"};
const char* const kTexts[] = {"2000", "4000", "3500,5", "-100", "0", "1", "0,5",   "5",   "50",   "120",
                              "1e9",  "-1e9", "1e-9",   "abc",  "",  "2", "65535", "1,5", "3000", "7"};
const char* const kBoxes[] = {"CheckBox__Filter_On_Off", "CheckBox__Filter_Ch_1_Sel",
                              "CheckBox__Filter_Ch_2_Sel"};
const char* const kScrolls[] = {"ScrollBar__Seysmo_trace", "ScrollBar__Spectr_trace"};
const char* const kTracks[] = {"TrackBar__Seysmo_trace", "TrackBar__Spectr_trace"};
const char* const kUnits[] = {"RadioGroup__Single_file__Seysmo_dimension",
                              "RadioGroup__Single_file__Spectr_dimension"};

TEST(TForm1RandomActions, ThreeThousandActionsLeaveTheWindowWorking) {
    MeasurementFolder first({"a_1.ssm", "b_2.ssm"}), second({"c_3.ssm"});
    QTemporaryDir empty;
    const QString folders[] = {first.path(), second.path(), empty.path()};
    TraceWindow w(first.path());
    std::mt19937 random(20261209);
    const auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };
    const auto anyLine = [&] { return w.checkList()->count() > 0 ? pick(w.checkList()->count()) : -1; };
    int builds = 0;
    for (int step = 0; step < 3000; ++step) {
        switch (pick(16)) {
        case 0:
            w.form->navigator().SelectFolder(folders[pick(3)]);
            break;
        case 1:
            if (const int line = anyLine(); line >= 0) {
                QListWidgetItem* item = w.checkList()->item(line);
                item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            }
            break;
        case 2:
            if (const int line = anyLine(); line >= 0)
                w.clickLine(line);
            break;
        case 3:
            if (const int line = anyLine(); line >= 0) {
                const QRect r = w.checkList()->visualItemRect(w.checkList()->item(line));
                QTest::mouseDClick(w.checkList()->viewport(), Qt::LeftButton, {}, r.center());
            }
            break;
        case 4:
        case 5: {
            const char* edit = kEdits[pick(10)];
            QString text = QString::fromUtf8(kTexts[pick(20)]);
            // A negative base has the horizontal axis label 65535 ticks at every drawing, which
            // would make the run long; the other edits take negative numbers.
            if (QByteArray(edit).contains("Base") && text.startsWith('-'))
                text.remove(0, 1);
            w.type(edit, text);
        } break;
        case 6:
            if (w.find("BitBtn__Make_trace")->isEnabled()) {
                w.click("BitBtn__Make_trace");
                ++builds;
            }
            break;
        case 7:
            w.find<QScrollBar>(kScrolls[pick(2)])
                ->triggerAction(pick(2) ? QAbstractSlider::SliderPageStepAdd
                                        : QAbstractSlider::SliderPageStepSub);
            break;
        case 8:
            w.find<QSlider>(kTracks[pick(2)])
                ->triggerAction(pick(2) ? QAbstractSlider::SliderPageStepAdd
                                        : QAbstractSlider::SliderSingleStepSub);
            break;
        case 9:
            w.tabs()->setCurrentIndex(pick(3));
            break;
        case 10:
            w.tickBox(kBoxes[pick(3)]);
            break;
        case 11:
            if (QAbstractButton* b = w.find<RadioGroup>(kUnits[pick(2)])->items()->button(pick(2));
                b->isEnabled())
                QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
            break;
        default:
            w.tick();
            break;
        }
    }
    EXPECT_GT(builds, 50);

    // Still answering: with sound values the first folder builds again.
    w.form->navigator().SelectFolder(first.path());
    if (w.find<QCheckBox>("CheckBox__Filter_On_Off")->isChecked())
        w.tickBox("CheckBox__Filter_On_Off");
    w.type("Edit__Velocity_on_Tab1", "2000");
    w.type("Edit__Ku_on_Tab1", "0");
    w.type("Edit__Base_on_Tab2", "1");
    for (int i = 0; i < w.checkList()->count(); ++i)
        w.checkList()->item(i)->setCheckState(Qt::Checked);
    const std::size_t shown = w.dialogs.messages.size();
    w.click("BitBtn__Make_trace");
    w.tick();
    EXPECT_EQ(w.dialogs.messages.size(), shown) << w.dialogs.texts().mid(int(shown)).join("\n").toStdString();
    EXPECT_EQ(w.form->catalogue().catalogue.checked().size(), 4u);
    EXPECT_TRUE(w.tabShown("TabSheet2"));
}

} // namespace
