#pragma once
// The one place where a file failure becomes the text a user reads, for both programs and both
// command-line tools.

#include "FileFailure.h"

#include <QString>

class QFileDevice;

// The reason in Russian, as a phrase that follows a colon: "файл не найден".
QString FailureText(const FileFailure& failure);

// The failure of the operation on `device` that has just failed. `systemError` is
// platform::LastSystemError() right after the failing call; it tells apart the kinds the device reports as one, and stands alone where the
// device has kept no error (QSaveFile::commit clears it).
FileFailure FailureOf(const QFileDevice& device, int systemError);
