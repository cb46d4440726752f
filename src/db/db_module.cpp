#include "db_module.h"

#include "config.h"
#include "data.h"
#include "db_open.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <memory>
#include <stdexcept>

namespace {
std::unique_ptr<TData>& module()
{
    static std::unique_ptr<TData> data;
    return data;
}
}  // namespace

void OpenDatabaseAtStartup(Interaction& ui)
{
    if (!QSqlDatabase::isDriverAvailable("QIBASE"))
        throw std::runtime_error("the Firebird driver of Qt SQL (QIBASE) is not installed");
    const TConfig& config = AppConfig();
    module() = std::make_unique<TData>(ui, config.DatabaseUser, config.DatabasePassword);
    // The connection must end while Qt SQL and its driver plugin are still there.
    qAddPostRoutine(CloseAppData);
    OpenDatabaseForStartup(*module(), config, AppConfigLocation());
}

TData& AppData()
{
    if (!module()) throw std::logic_error("the database module is not created");
    return *module();
}

bool HasAppData() { return module() != nullptr; }

int ReopenAppDatabase()
{
    TData& data = AppData();
    data.setLogin(AppConfig().DatabaseUser, AppConfig().DatabasePassword);
    return ReopenDatabase(data, AppConfig());
}

void CloseAppData() { module().reset(); }
