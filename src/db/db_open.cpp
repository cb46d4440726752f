#include "db_open.h"

#include "config.h"
#include "data.h"
#include "db_create.h"
#include "interaction.h"
#include "schema_upgrade.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString sameDirKey(const QString& dir)
{
    const QFileInfo fi(dir);
    const QString canonical = fi.canonicalFilePath();
    return QDir::cleanPath(canonical.isEmpty() ? fi.absoluteFilePath() : canonical);
}
}  // namespace

bool UsesServer(const TConfig& config) { return !config.DatabaseLocation.trimmed().isEmpty(); }

QString PrimaryDatabaseLocation(const TConfig& config)
{
    if (UsesServer(config)) return config.DatabaseLocation.trimmed();
    QString dir = config.WorkDataPath;
    if (!dir.isEmpty() && !dir.endsWith('/')) dir += '/';
    return dir + DatabaseFileName;
}

QString StartupDatabaseLocation(const TConfig& config, const ConfigLocation& where, bool& createHere)
{
    createHere = false;
    const QString primary = PrimaryDatabaseLocation(config);
    if (UsesServer(config) || QFileInfo::exists(primary)) return primary;
    const QString fallback = where.programDir + DatabaseFileName;
    if (QFileInfo::exists(fallback)) return fallback;
    // Only the default working directory gets a new database: a directory the user chose and that
    // is mistyped or not mounted must not silently split the data.
    if (sameDirKey(config.WorkDataPath) == sameDirKey(where.defaultWorkDir)) {
        createHere = true;
        return primary;
    }
    return fallback;
}

bool CreateFirstDatabase(TData& data, const QString& path)
{
    QString error;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) error = "cannot create the directory of " + path;
    else if (CreateDatabase(path, data.Connection().userName(), data.Connection().password(), error)) return true;
    data.ui().plain(error);
    return false;
}

void OpenDatabaseForStartup(TData& data, const TConfig& config, const ConfigLocation& where)
{
    bool create = false;
    const QString location = StartupDatabaseLocation(config, where, create);
    if (create) CreateFirstDatabase(data, location);
    if (!data.Open(location))
        data.ui().error(QString("E0001: Ошибка открытия базы данных \"%1\"!").arg(location));
    UpgradeSchema(data);
}

int ReopenDatabase(TData& data, const TConfig& config)
{
    const QString location = PrimaryDatabaseLocation(config);
    if (!UsesServer(config) && !QFileInfo::exists(location)) return -2;
    return data.Open(location) ? 0 : -1;
}
