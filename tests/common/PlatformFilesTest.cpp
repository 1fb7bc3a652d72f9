// The platform layer on the system the tests run on: Linux, or Windows under Wine.
#include "PlatformFiles.h"
#include "PlatformPath.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <sys/stat.h>
#endif

namespace {

QByteArray bytesOf(std::size_t n, char seed) {
    QByteArray b(qsizetype(n), '\0');
    for (std::size_t i = 0; i < n; ++i)
        b[qsizetype(i)] = char(seed + i * 7);
    return b;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

void setWriteTime(const QString& path, const QDateTime& time) {
    const std::chrono::sys_time<std::chrono::milliseconds> t{
        std::chrono::milliseconds(time.toMSecsSinceEpoch())};
    std::filesystem::last_write_time(platform::FsPath(path), std::chrono::file_clock::from_sys(t));
}

std::vector<std::uint8_t> readAll(const platform::InputFile& file) {
    std::vector<std::uint8_t> out(file.size());
    std::size_t done = 0;
    FileFailure why;
    EXPECT_TRUE(file.readAt(0, std::span(out), done, why));
    out.resize(done);
    return out;
}

const platform::FolderEntry* findEntry(const std::vector<platform::FolderEntry>& entries,
                                       const QString& name) {
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const platform::FolderEntry& e) {
        return platform::QtPath(e.name) == name;
    });
    return it == entries.end() ? nullptr : &*it;
}

class PlatformFiles : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(PlatformFiles, CyrillicFolderAndFileNamesRoundTrip) {
    const QString folder = path(QStringLiteral("Объект Северный/Поле 3"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString name = QStringLiteral("Свая №7.ssm");
    const QByteArray bytes = bytesOf(300, 3);
    writeFile(folder + '/' + name, bytes);

    EXPECT_EQ(platform::QtPath(platform::FsPath(folder + '/' + name)), folder + '/' + name);
    platform::InputFile file;
    FileFailure why;
    ASSERT_TRUE(file.open(platform::FsPath(folder + '/' + name), why));
    EXPECT_EQ(readAll(file), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));

    const platform::Folder listed(platform::FsPath(folder));
    const auto entries = listed.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(platform::QtPath(entries[0].name), name);
    platform::InputFile inFolder;
    ASSERT_TRUE(listed.openFile(entries[0].name, inFolder, why));
    EXPECT_EQ(inFolder.size(), std::uint64_t(bytes.size()));
}

TEST_F(PlatformFiles, DevicesFoldersAndMissingFilesAreRefusedAtOnce) {
    ASSERT_TRUE(QDir().mkpath(path("folder.ssm")));
    std::vector<std::pair<std::filesystem::path, FailureKind>> cases{
        {platform::FsPath(path("folder.ssm")), FailureKind::NotRegularFile},
        {platform::FsPath(path("missing.ssm")), FailureKind::NoSuchFile}};
#ifdef _WIN32
    for (const wchar_t* device :
         {L"CON", L"nul", L"NUL.ssm", L"COM1", L"com1.ssm", L"LPT1", L"AUX", L"CONIN$"}) {
        cases.push_back({std::filesystem::path(device), FailureKind::NotRegularFile});
        cases.push_back({platform::FsPath(dir.path()) / device, FailureKind::NotRegularFile});
    }
    for (const wchar_t* device :
         {L"\\\\.\\COM1", L"\\\\.\\pipe\\vibrix", L"//./NUL", L"\\\\?\\GLOBALROOT\\Device\\Null"})
        cases.push_back({std::filesystem::path(device), FailureKind::NotRegularFile});
#else
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.ssm")).constData(), 0600), 0) << errno;
    cases.push_back({platform::FsPath(path("pipe.ssm")), FailureKind::NotRegularFile});
    cases.push_back({"/dev/null", FailureKind::NotRegularFile});
#endif
    for (const auto& [name, kind] : cases) {
        platform::InputFile file;
        FileFailure why;
        EXPECT_FALSE(file.open(name, why)) << name;
        EXPECT_EQ(why.kind, kind) << name;
        EXPECT_FALSE(file.isOpen()) << name;
    }
#ifdef _WIN32
    // The long form of an ordinary path is no device.
    writeFile(path("a.ssm"), "abc");
    const std::wstring prefixed = L"\\\\?\\" + QDir::toNativeSeparators(path("a.ssm")).toStdWString();
    platform::InputFile file;
    FileFailure why;
    EXPECT_TRUE(file.open(std::filesystem::path(prefixed), why)) << int(why.kind);
#endif
}

TEST_F(PlatformFiles, AFileChangedAfterListingIsReadAsItIsNow) {
    writeFile(path("a.ssm"), bytesOf(1000, 1));
    writeFile(path("gone.ssm"), bytesOf(10, 2));
    setWriteTime(path("a.ssm"), QDateTime(QDate(2024, 5, 20), QTime(9, 30), Qt::UTC));
    const platform::Folder folder(platform::FsPath(dir.path()));
    const auto listed = folder.entries();
    const platform::FolderEntry* before = findEntry(listed, "a.ssm");
    ASSERT_NE(before, nullptr);
    EXPECT_FALSE(before->folder);
    const auto listedTime = QDateTime(QDate(2024, 5, 20), QTime(9, 30), Qt::UTC).toMSecsSinceEpoch();
    EXPECT_EQ(before->lastWriteMsecs, listedTime);

    // Shorter now, and written later; the other one deleted.
    writeFile(path("a.ssm"), bytesOf(120, 5));
    const QDateTime later(QDate(2025, 1, 2), QTime(3, 4, 5), Qt::UTC);
    setWriteTime(path("a.ssm"), later);
    ASSERT_TRUE(QFile::remove(path("gone.ssm")));

    platform::InputFile file;
    FileFailure why;
    ASSERT_TRUE(folder.openFile("a.ssm", file, why));
    EXPECT_EQ(file.size(), 120u);
    EXPECT_EQ(file.lastWriteMsecs(), later.toMSecsSinceEpoch());
    // A read past the new end gets what is there, without a failure.
    std::vector<std::uint8_t> head(100), tail(100);
    const std::span<std::uint8_t> parts[] = {head, tail};
    std::size_t done = 0;
    EXPECT_TRUE(file.readAt(0, parts, done, why));
    EXPECT_EQ(done, 120u);
    platform::FolderEntry now;
    ASSERT_TRUE(folder.entry("a.ssm", now));
    EXPECT_EQ(now.lastWriteMsecs, later.toMSecsSinceEpoch());

    EXPECT_FALSE(folder.openFile("gone.ssm", file, why));
    EXPECT_EQ(why.kind, FailureKind::NoSuchFile);
    EXPECT_FALSE(folder.entry("gone.ssm", now));
}

TEST_F(PlatformFiles, ADurableSaveIsOnTheDiskWhenTheCallReturns) {
    QFile file(path("project.cdsm"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = bytesOf(70000, 9);
    ASSERT_EQ(file.write(bytes), bytes.size());
    ASSERT_TRUE(file.flush());
    EXPECT_TRUE(platform::FlushToDisk(file.handle())) << platform::LastSystemError();
    file.close();
    platform::InputFile back;
    FileFailure why;
    ASSERT_TRUE(back.open(platform::FsPath(path("project.cdsm")), why));
    EXPECT_EQ(readAll(back), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

TEST_F(PlatformFiles, AnOpenFileHandedToTheRuntimeReadsItsBytesUnchanged) {
    // Line ends included: a descriptor in text mode would turn "\r\n" into "\n".
    writeFile(path("crlf.bin"), QByteArray("a\r\nb\n\x1a"
                                           "c",
                                           7));
    platform::InputFile file;
    FileFailure why;
    ASSERT_TRUE(file.open(platform::FsPath(path("crlf.bin")), why));
    const int descriptor = file.releaseDescriptor();
    ASSERT_GE(descriptor, 0);
    EXPECT_FALSE(file.isOpen());
    QFile f;
    ASSERT_TRUE(f.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    EXPECT_EQ(f.readAll(), QByteArray("a\r\nb\n\x1a"
                                      "c",
                                      7));
}

TEST(PlatformErrors, TheSystemsCodesHaveTheirKinds) {
#ifdef _WIN32
    const std::pair<int, FailureKind> codes[] = {{ERROR_FILE_NOT_FOUND, FailureKind::NoSuchFile},
                                                 {ERROR_PATH_NOT_FOUND, FailureKind::NoSuchFile},
                                                 {ERROR_ACCESS_DENIED, FailureKind::NoPermission},
                                                 {ERROR_SHARING_VIOLATION, FailureKind::NoPermission},
                                                 {ERROR_DISK_FULL, FailureKind::DiskFull},
                                                 {ERROR_HANDLE_DISK_FULL, FailureKind::DiskFull},
                                                 {ERROR_FILE_TOO_LARGE, FailureKind::TooLarge},
                                                 {ERROR_GEN_FAILURE, FailureKind::Other}};
#else
    const std::pair<int, FailureKind> codes[] = {
        {ENOENT, FailureKind::NoSuchFile}, {EACCES, FailureKind::NoPermission},
        {ENOSPC, FailureKind::DiskFull},   {EDQUOT, FailureKind::DiskFull},
        {EFBIG, FailureKind::TooLarge},    {EIO, FailureKind::Other}};
#endif
    for (const auto& [code, kind] : codes) {
        EXPECT_EQ(platform::FailureFromSystemError(code).kind, kind) << code;
        EXPECT_EQ(platform::FailureFromSystemError(code).code, code) << code;
    }
}

} // namespace
