#include "../support/ScriptedDialogs.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

TEST(RunGuarded, ShowsAFailureUnderTheApplicationNameAndReportsIt) {
    QGuiApplication::setApplicationDisplayName("Vibrix4");
    ScriptedDialogs dialogs;
    int runs = 0;
    EXPECT_TRUE(RunGuarded(dialogs, nullptr, [&] { ++runs; }));
    EXPECT_TRUE(dialogs.messages.empty());

    EXPECT_FALSE(RunGuarded(dialogs, nullptr, [&] { throw std::runtime_error("Не удалось записать файл"); }));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Vibrix4");
    EXPECT_EQ(dialogs.messages[0].text, "Не удалось записать файл");
    EXPECT_EQ(dialogs.messages[0].icon, UserDialogs::Icon::Error);

    EXPECT_FALSE(RunGuarded(dialogs, nullptr, [] { throw std::bad_alloc(); }));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, "Недостаточно памяти для этого действия");

    EXPECT_FALSE(RunGuarded(dialogs, nullptr, [] { throw 42; }));
    EXPECT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].text, "Неизвестная ошибка");
    EXPECT_EQ(runs, 1);
}
