#include "shell/app/SettingsDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

QString SettingsDirectory::forProgram(const QString& programDirectory)
{
    if (::access(QFile::encodeName(programDirectory).constData(), W_OK) == 0) {
        return programDirectory;
    }
    const QString user =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/SkinSmith/");
    QDir().mkpath(user);
    const QString shipped = programDirectory + QStringLiteral("SkinSmith.ini");
    const QString own = user + QStringLiteral("SkinSmith.ini");
    if (!QFileInfo::exists(own) && QFileInfo::exists(shipped)) {
        QFile::copy(shipped, own);
        QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner);
    }
    return user;
}
