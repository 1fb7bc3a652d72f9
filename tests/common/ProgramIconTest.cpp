// The programs' window icons are built in, small and large.
#include <gtest/gtest.h>

#include "ProgramIcon.h"

namespace {

TEST(ProgramIcon, BothProgramsCarryTheirIconInEverySize) {
    for (const QString id :
         {QStringLiteral("ru.vibrix4.Vibrix"), QStringLiteral("ru.vibrix4.TraceBuilder")}) {
        const QList<QSize> sizes = programIcon(id).availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16))) << id.toStdString();
        EXPECT_TRUE(sizes.contains(QSize(32, 32))) << id.toStdString();
        EXPECT_TRUE(sizes.contains(QSize(256, 256))) << id.toStdString();
    }
    EXPECT_TRUE(programIcon(QStringLiteral("no.such.Program")).isNull());
}

} // namespace
