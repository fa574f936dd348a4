#pragma once

#include "UpdateRelease.h"

#include <QByteArray>
#include <QString>
#include <functional>

// The last steps of an update, once the download has the announced size: the
// signature is checked against the file on disk, the previous program becomes
// {base}.OLD, the download becomes the program (executable) and the new
// program is started. Whatever fails leaves the old program in its place.
struct InstallResult {
    enum class Kind {
        Installed,    // the new program is in place and was started
        BadSignature, // missing or wrong signature: the download was removed
        NotInstalled, // a file could not be moved: the old program stays
        NotStarted,   // installed, but the new program could not be started
    };
    Kind kind;
    QString message; // the Spanish sentence for the farmer; empty when installed
};

InstallResult installUpdate(const UpdateFiles& files, const QByteArray& signature, const QByteArray& publicKey,
                            const std::function<bool(const QString& program)>& start);
