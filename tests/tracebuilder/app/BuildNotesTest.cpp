// What the user is told after a build: the files left out and the channels whose time stamps
// cannot place their samples at depths.
#include <gtest/gtest.h>

#include <QFile>

#include <cmath>

#include "BuildNotes.h"
#include "CatalogueWidgets.h"
#include "SsmFolder.h"

namespace {

TEST(BuildNotes, NameTheFilesLeftOutAndTheChannelsWithBrokenTimeStamps) {
    SsmFolder folder;
    CatalogueWidgets w;
    auto recipe = [](std::uint16_t pile) { return SsmFolder::fileSpec(ssm::Version::V1_1, 1, pile); };
    folder.write("good_1.ssm", recipe(1));
    ssmgen::FileSpec nan = recipe(2);
    nan.tickPeriod = std::nanf("");
    folder.write("nan_2.ssm", nan);
    ssmgen::FileSpec back = recipe(3);
    back.tickPeriod = -1e-6f;
    folder.write("back_3.ssm", back);
    ssmgen::FileSpec wrapped = recipe(4); // 70000 ticks a sample: the counter wraps more than once
    wrapped.ticksPerSample = 70000;
    wrapped.samplePeriod = 0.07f;
    folder.write("wrap_4.ssm", wrapped);
    folder.write("gone_5.ssm", recipe(5));
    w.list(folder.path());
    QFile::remove(folder.path() + "/gone_5.ssm");
    w.files.CollectChecked();
    ASSERT_EQ(w.files.checked().size(), 8u);

    const QStringList notes = BuildNotes(w.files.leftOut(), w.files.checked(), tAppInt()).split('\n');
    EXPECT_EQ(notes.mid(0, 2), (QStringList{"Трассы построены без файлов, которые не удалось прочитать (1):",
                                            "gone_5.ssm — файл или папка не найдены"}));
    EXPECT_TRUE(
        notes.contains("Неверные отметки времени, столбцы этих каналов пусты или не на своих глубинах (6):"));
    for (int c = 1; c <= 2; ++c) {
        EXPECT_TRUE(notes.contains(QString("nan_2.ssm, канал %1 — отметки времени не числа").arg(c)));
        EXPECT_TRUE(notes.contains(QString("back_3.ssm, канал %1 — отметки времени идут назад").arg(c)));
        EXPECT_TRUE(notes.contains(QString("wrap_4.ssm, канал %1 — шаг отметок времени 4464 мкс, а период "
                                           "отсчётов в заголовке файла 70000 мкс")
                                       .arg(c)));
    }
    EXPECT_FALSE(notes.join('\n').contains("good_1"));
    EXPECT_EQ(notes.size(), 9);
}

TEST(BuildNotes, AreEmptyWhenAllIsWell) {
    SsmFolder folder;
    CatalogueWidgets w;
    folder.write("good_1.ssm", SsmFolder::fileSpec(ssm::Version::V1_2, 1, 1));
    w.list(folder.path());
    w.files.CollectChecked();
    tAppInt app;
    app.velocityFromFiles = true; // the generator writes a velocity into every file
    EXPECT_TRUE(BuildNotes(w.files.leftOut(), w.files.checked(), app).isEmpty());
}

} // namespace
