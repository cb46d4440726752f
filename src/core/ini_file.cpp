#include "ini_file.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

IniFile::IniFile(QString path) : path_(std::move(path))
{
    sections_.push_back({});
    QFile f(path_);
    if (!f.exists()) return;
    existed_ = true;
    if (!f.open(QIODevice::ReadOnly)) return;
    // A settings file is small; anything far larger is not ours and is read as far as it goes.
    const QByteArray bytes = f.read(4 * 1024 * 1024);
    const QStringList lines = QString::fromUtf8(bytes).split('\n');
    for (QString line : lines) {
        if (line.endsWith('\r')) line.chop(1);
        const QString t = line.trimmed();
        if (t.startsWith('[') && t.endsWith(']')) {
            sections_.push_back({t.mid(1, t.size() - 2).trimmed(), {}});
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq > 0 && !t.startsWith(';') && !t.startsWith('#'))
            sections_.back().entries.push_back({line.left(eq).trimmed(), line.mid(eq + 1).trimmed(), line});
        else if (!t.isEmpty())
            sections_.back().entries.push_back({{}, {}, line});
    }
}

IniFile::Section* IniFile::find(const QString& name)
{
    for (std::size_t i = 1; i < sections_.size(); ++i)
        if (sections_[i].name.compare(name, Qt::CaseInsensitive) == 0) return &sections_[i];
    return nullptr;
}

const IniFile::Section* IniFile::find(const QString& name) const
{
    return const_cast<IniFile*>(this)->find(name);
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    if (const Section* s = find(section))
        for (const Entry& e : s->entries)
            if (!e.key.isEmpty() && e.key.compare(key, Qt::CaseInsensitive) == 0) return e.value;
    return std::nullopt;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    Section* s = find(section);
    if (!s) {
        sections_.push_back({section, {}});
        s = &sections_.back();
    }
    dirty_ = true;
    for (Entry& e : s->entries)
        if (!e.key.isEmpty() && e.key.compare(key, Qt::CaseInsensitive) == 0) {
            e.value = value;
            e.raw = key + '=' + value;
            return;
        }
    s->entries.push_back({key, value, key + '=' + value});
}

bool IniFile::save()
{
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QString text;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        if (i > 0) {
            if (!text.isEmpty()) text += "\r\n";
            text += '[' + s.name + "]\r\n";
        }
        for (const Entry& e : s.entries) text += (e.key.isEmpty() ? e.raw : e.key + '=' + e.value) + "\r\n";
    }
    f.write(text.toUtf8());
    if (!f.commit()) return false;
    existed_ = true;
    dirty_ = false;
    return true;
}
