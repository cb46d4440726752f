#include "schema_script.h"

#include <QFile>

// Resources of a static library are registered explicitly; outside any namespace.
static void initSchemaResource() { Q_INIT_RESOURCE(kemdb_schema); }

QStringList SplitSqlScript(const QString& script)
{
    QStringList out;
    QString current;
    QChar quote;  // ' or " while inside a quoted text or name
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (!quote.isNull()) {
            current += c;
            if (c == quote) quote = QChar();
            continue;
        }
        if (c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
            while (i < script.size() && script[i] != '\n') ++i;
            current += '\n';
            continue;
        }
        if (c == '/' && i + 1 < script.size() && script[i + 1] == '*') {
            const qsizetype end = script.indexOf("*/", i + 2);
            i = end < 0 ? script.size() : end + 1;
            current += ' ';
            continue;
        }
        if (c == ';') {
            if (!current.trimmed().isEmpty()) out << current.trimmed();
            current.clear();
            continue;
        }
        if (c == '\'' || c == '"') quote = c;
        current += c;
    }
    if (!current.trimmed().isEmpty()) out << current.trimmed();
    return out;
}

QStringList SchemaV1Statements()
{
    initSchemaResource();
    QFile f(":/db/schema-v1.sql");
    if (!f.open(QIODevice::ReadOnly)) return {};
    return SplitSqlScript(QString::fromUtf8(f.readAll()));
}
