// kemsys-cli db create LOCATION: a new database of the current schema on purpose (a file path or
// a Firebird server location "host:/path/Kem_M.fdb"); an existing database is never touched.
#include "cli_registry.h"
#include "data.h"
#include "db_create.h"
#include "db_open.h"
#include "schema_upgrade.h"

#include <QDir>
#include <QFileInfo>

namespace {

int runDbCreate(const CliArgs& args, Interaction& ui)
{
    if (args.positional.size() != 1) return CliFail("usage: db create LOCATION [--user NAME] [--password TEXT]");
    const QString location = args.positional[0];
    const QString user = args.option("--user").isEmpty() ? "SYSDBA" : args.option("--user");
    const QString password = args.option("--password").isEmpty() ? "plumbline" : args.option("--password");
    // A location with "host:" before the path names a server; a plain path is a file here.
    const bool file = !location.contains(':') || location.startsWith('/');
    if (file) {
        if (QFileInfo::exists(location)) return CliFail("a file already exists at " + location);
        if (!QDir().mkpath(QFileInfo(location).absolutePath()))
            return CliFail("cannot create the directory of " + location);
    }
    QString error;
    if (!CreateDatabase(location, user, password, error)) return CliFail(error);

    TData data(ui, user, password);
    if (!data.Open(location)) return CliFail("the new database does not open: " + data.LastErrorText());
    UpgradeSchema(data);
    std::optional<TDbRow> row;
    const bool read = data.SelectOne("SELECT DB_VERSION FROM T_SERVICE", {}, row) && row;
    const int version = read ? row->integer("DB_VERSION") : 1;
    data.Rollback();
    PrintJson({{"location", location}, {"schemaVersion", version}});
    return version == CurrentSchemaVersion ? 0 : 1;
}

const CliCommand reg("db create", "db create LOCATION [--user NAME] [--password TEXT]", runDbCreate,
                     {"--user", "--password"});

}  // namespace
