#include "files/file_platform.h"

#include <QDir>
#include <QFileDevice>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace hxv5 {

namespace {

// The volume and the file's number on it: what tells one file from another whatever its name.
struct FileIdentity
{
    bool known = false;
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

FileIdentity identityOf(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    // No access asked: a file another program holds open is still looked at, folders too.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION information = {};
    const bool known = GetFileInformationByHandle(handle, &information) != 0;
    CloseHandle(handle);
    return {known, information.dwVolumeSerialNumber, information.nFileIndexHigh,
            information.nFileIndexLow};
}

} // namespace

bool syncToDisk(QFileDevice &file)
{
    if (!file.isOpen() || !file.flush())
        return false;
    const intptr_t handle = _get_osfhandle(file.handle());
    return handle != -1 && FlushFileBuffers(reinterpret_cast<HANDLE>(handle)) != 0;
}

bool isSameFile(const QString &first, const QString &second)
{
    const FileIdentity one = identityOf(first);
    const FileIdentity other = identityOf(second);
    return one.known && other.known && one.volume == other.volume &&
           one.indexHigh == other.indexHigh && one.indexLow == other.indexLow;
}

void failWritesPastFileSizeLimit()
{
    // Windows sets no file-size limit on a process: a write fails only for a full disk or a file
    // system's own limit, and is reported like any failed write.
}

void writeStandardStreamsUnchanged()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace hxv5
