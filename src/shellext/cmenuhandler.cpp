// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmenuhandler.h"

#include <QFile>

#include <sys/stat.h>

namespace {

bool IsFileUri(const QByteArray& argument) {
    return argument.size() >= 7 && argument.first(7).toLower() == "file://";
}

bool LooksLikeUri(const QByteArray& argument) {
    const qsizetype colon = argument.indexOf("://");
    if (colon <= 0)
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const char c = argument.at(i);
        const bool schemeChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!schemeChar)
            return false;
    }
    return true;
}

} // namespace

CMenuHandler::CMenuHandler(QByteArray workingFolder) : m_workingFolder(std::move(workingFolder)) {}

std::optional<QByteArray> CMenuHandler::TargetFolder(const QList<QByteArray>& selection) const {
    if (selection.isEmpty())
        return std::nullopt;
    QByteArray path = LocalPath(selection.first());
    if (path.isEmpty())
        return std::nullopt;
    if (!path.startsWith('/')) {
        if (m_workingFolder.isEmpty())
            return std::nullopt;
        path = m_workingFolder + (m_workingFolder.endsWith('/') ? "" : "/") + path;
    }
    struct stat status {};
    if (::stat(path.constData(), &status) != 0)
        return std::nullopt;
    if (S_ISDIR(status.st_mode)) {
        // Folder URIs often end in "/"; the window expects a folder path without it.
        while (path.size() > 1 && path.endsWith('/'))
            path.chop(1);
        return path;
    }
    return FolderOfFile(path);
}

QByteArray CMenuHandler::LocalPath(const QByteArray& argument) {
    if (argument.contains('\0'))
        return {};
    if (!IsFileUri(argument))
        return LooksLikeUri(argument) ? QByteArray() : argument;
    const QByteArray rest = argument.sliced(7);
    const qsizetype slash = rest.indexOf('/');
    if (slash < 0)
        return {};
    const QByteArray host = rest.first(slash).toLower();
    if (!host.isEmpty() && host != "localhost")
        return {};
    const QByteArray path = QByteArray::fromPercentEncoding(rest.sliced(slash));
    // A decoded NUL would cut the path short behind our back.
    return path.contains('\0') ? QByteArray() : path;
}

QByteArray CMenuHandler::FolderOfFile(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return {};
    return slash == 0 ? QByteArray("/") : path.first(slash);
}

QByteArray CMenuHandler::ProgramBeside(const QByteArray& helperPath) {
    return FolderOfFile(helperPath) + (helperPath.lastIndexOf('/') == 0 ? "" : "/") + "quorvin";
}

QString CMenuHandler::StartErrorText(int errorCode, const QByteArray& program) {
    return QStringLiteral("Error %1 while starting %2")
        .arg(static_cast<unsigned>(errorCode))
        .arg(QFile::decodeName(program));
}
