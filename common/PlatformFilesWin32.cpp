// Windows: wide-character paths, file handles, ReadFile at an offset, FlushFileBuffers, and a folder
// listed with FindFirstFileExW, which hands out the last-write times with the names.
#include "PlatformFiles.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <string_view>
#include <utility>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace platform {
namespace {

HANDLE nativeHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Windows counts in 100 ns steps since 1601.
FileTimeMsecs msecsOf(const FILETIME& t) {
    constexpr std::int64_t k1601To1970 = 116444736000000000LL;
    const std::int64_t ticks = std::int64_t((std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    const std::int64_t since1970 = ticks - k1601To1970;
    return since1970 / 10000 - (since1970 % 10000 < 0 ? 1 : 0);
}

bool sameLetters(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towupper(x) == std::towupper(y);
           });
}

// A name that opens a device wherever it stands, whatever its extension: "CON", "nul.ssm",
// "COM1 .txt". Opening a serial port may wait for ever, and the console is no measurement.
bool isDeviceName(std::wstring_view name) {
    const std::size_t dot = name.find(L'.');
    std::wstring_view stem = name.substr(0, dot);
    while (!stem.empty() && (stem.back() == L' ' || stem.back() == L':'))
        stem.remove_suffix(1);
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$", L"CLOCK$"})
        if (sameLetters(stem, device))
            return true;
    if (stem.size() == 4 &&
        (sameLetters(stem.substr(0, 3), L"COM") || sameLetters(stem.substr(0, 3), L"LPT"))) {
        const wchar_t n = stem[3];
        return (n >= L'0' && n <= L'9') || n == L'\u00B9' || n == L'\u00B2' || n == L'\u00B3';
    }
    return false;
}

// "\\.\COM1", "\\.\pipe\x", "\\?\GLOBALROOT\Device\...": the device namespace. "\\?\C:\..." and
// "\\?\UNC\..." are long ordinary paths.
bool isDevicePath(std::wstring_view path) {
    const auto slash = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    if (path.size() < 4 || !slash(path[0]) || !slash(path[1]) || !slash(path[3]))
        return false;
    if (path[2] == L'.')
        return true;
    if (path[2] != L'?')
        return false;
    const std::wstring_view rest = path.substr(4);
    const bool drive = rest.size() >= 2 && rest[1] == L':';
    const bool unc = rest.size() >= 4 && sameLetters(rest.substr(0, 3), L"UNC") && slash(rest[3]);
    return !drive && !unc;
}

bool refusedName(const std::filesystem::path& path) {
    return isDevicePath(path.native()) || isDeviceName(path.filename().native());
}

bool endOfFile(DWORD error) {
    return error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE;
}

// Opens for reading only what can be read without waiting. Returns INVALID_HANDLE_VALUE with the
// reason in `why` when the name is a device's or the file cannot be opened.
HANDLE openForReading(const std::filesystem::path& path, FileFailure& why) {
    if (refusedName(path)) {
        why = {FailureKind::NotRegularFile, 0};
        return INVALID_HANDLE_VALUE;
    }
    // Folders open too (backup semantics), so that they are told apart from files no one may read.
    const HANDLE h =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        why = FailureFromSystemError(int(::GetLastError()));
    return h;
}

} // namespace

std::FILE* OpenCFile(const std::filesystem::path& path, const char* mode) {
    const std::string narrow(mode);
    return ::_wfopen(path.c_str(), std::wstring(narrow.begin(), narrow.end()).c_str());
}

bool SetLastWriteTime(const std::filesystem::path& path, FileTimeMsecs time) {
    const HANDLE h = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    constexpr std::int64_t k1601To1970 = 116444736000000000LL;
    const std::uint64_t ticks = std::uint64_t(time * 10000 + k1601To1970);
    const FILETIME written{DWORD(ticks), DWORD(ticks >> 32)};
    const bool set = ::SetFileTime(h, nullptr, nullptr, &written);
    const DWORD error = ::GetLastError();
    ::CloseHandle(h);
    ::SetLastError(error);
    return set;
}

int LastSystemError() {
    return int(::GetLastError());
}

FileFailure FailureFromSystemError(int code) {
    switch (DWORD(code)) {
    case ERROR_SUCCESS:
        return {FailureKind::Other, 0};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_NOT_READY:
        return {FailureKind::NoSuchFile, code};
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
    case ERROR_PRIVILEGE_NOT_HELD:
        return {FailureKind::NoPermission, code};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case 1295: // ERROR_DISK_QUOTA_EXCEEDED, missing from MinGW's headers
        return {FailureKind::DiskFull, code};
    case ERROR_DIRECTORY:
    case ERROR_BAD_DEVICE:
    case ERROR_BAD_PIPE:
        return {FailureKind::NotRegularFile, code};
    case ERROR_FILE_TOO_LARGE:
    case ERROR_ARITHMETIC_OVERFLOW:
        return {FailureKind::TooLarge, code};
    default:
        return {FailureKind::Other, code};
    }
}

void InputFile::close() {
    if (handle_ != -1)
        ::CloseHandle(nativeHandle(std::exchange(handle_, -1)));
}

bool InputFile::open(const std::filesystem::path& path, FileFailure& why) {
    close();
    const HANDLE h = openForReading(path, why);
    return h != INVALID_HANDLE_VALUE && adopt(reinterpret_cast<std::intptr_t>(h), why);
}

bool InputFile::adopt(std::intptr_t handle, FileFailure& why) {
    const HANDLE h = nativeHandle(handle);
    BY_HANDLE_FILE_INFORMATION info{};
    FileFailure refused;
    if (::GetFileType(h) != FILE_TYPE_DISK)
        refused = {FailureKind::NotRegularFile, 0};
    else if (!::GetFileInformationByHandle(h, &info))
        refused = FailureFromSystemError(int(::GetLastError()));
    else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        refused = {FailureKind::NotRegularFile, int(ERROR_DIRECTORY)};
    if (refused.failed()) {
        ::CloseHandle(h);
        why = refused;
        return false;
    }
    handle_ = handle;
    size_ = (std::uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    lastWrite_ = msecsOf(info.ftLastWriteTime);
    return true;
}

bool InputFile::readAt(std::uint64_t offset, std::span<const std::span<std::uint8_t>> buffers,
                       std::size_t& done, FileFailure& why) const {
    done = 0;
    for (const std::span<std::uint8_t> buffer : buffers) {
        std::size_t got = 0;
        while (got < buffer.size()) {
            const std::uint64_t at = offset + done + got;
            OVERLAPPED where{};
            where.Offset = DWORD(at);
            where.OffsetHigh = DWORD(at >> 32);
            const DWORD ask = DWORD(std::min<std::size_t>(buffer.size() - got, 1u << 30));
            DWORD n = 0;
            if (!::ReadFile(nativeHandle(handle_), buffer.data() + got, ask, &n, &where)) {
                const DWORD error = ::GetLastError();
                if (endOfFile(error))
                    break;
                why = FailureFromSystemError(int(error));
                done += got;
                return false;
            }
            if (n == 0)
                break;
            got += n;
        }
        done += got;
        if (got < buffer.size())
            break;
    }
    return true;
}

bool InputFile::readAt(std::uint64_t offset, std::span<std::uint8_t> buffer, std::size_t& done,
                       FileFailure& why) const {
    return readAt(offset, std::span(&buffer, 1), done, why);
}

int InputFile::releaseDescriptor() {
    if (handle_ == -1)
        return -1;
    const int fd = ::_open_osfhandle(std::exchange(handle_, -1), _O_RDONLY);
    if (fd >= 0)
        ::_setmode(fd, _O_BINARY); // bytes as they are, never line ends translated
    return fd;
}

void CloseDescriptor(int descriptor) {
    if (descriptor >= 0)
        ::_close(descriptor);
}

bool FlushToDisk(int descriptor) {
    const auto handle = ::_get_osfhandle(descriptor);
    if (handle == -1) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return ::FlushFileBuffers(nativeHandle(handle));
}

Folder::Folder(const std::filesystem::path& path) : path_(path) {}

Folder::~Folder() = default;

bool Folder::isOpen() const {
    const DWORD attributes = ::GetFileAttributesW(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<FolderEntry> Folder::entries(Times) const {
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileExW((path_ / L"*").c_str(), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return {};
    std::vector<FolderEntry> found;
    do {
        const std::wstring_view name(data.cFileName);
        if (name == L"." || name == L"..")
            continue;
        found.push_back({std::filesystem::path(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                         msecsOf(data.ftLastWriteTime)});
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return found;
}

bool Folder::openFile(const std::filesystem::path& name, InputFile& file, FileFailure& why) const {
    return file.open(path_ / name, why);
}

bool Folder::entry(const std::filesystem::path& name, FolderEntry& out) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (refusedName(name) || !::GetFileAttributesExW((path_ / name).c_str(), GetFileExInfoStandard, &data))
        return false;
    out.name = name;
    out.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    out.lastWriteMsecs = msecsOf(data.ftLastWriteTime);
    return true;
}

} // namespace platform
