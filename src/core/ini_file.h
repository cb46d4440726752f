#pragma once
// A small INI file kept in memory in file order. Reading a missing key answers "absent"; writing a
// key changes it in place or appends it to the end of its section (a new section goes to the end),
// the way the settings file has always grown. save() writes the whole file back at once.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class IniFile {
public:
    // Loads the file; a missing or unreadable file gives an empty document.
    explicit IniFile(QString path);

    const QString& path() const { return path_; }
    bool existed() const { return existed_; }

    std::optional<QString> value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    bool dirty() const { return dirty_; }

    // Writes atomically (temporary file, then rename); false when the file cannot be written.
    bool save();

private:
    struct Entry {
        QString key;    // empty for a line kept as it stands (comment, blank, junk)
        QString value;
        QString raw;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };

    Section* find(const QString& name);
    const Section* find(const QString& name) const;

    QString path_;
    bool existed_ = false;
    bool dirty_ = false;
    std::vector<Section> sections_;  // sections_[0] holds lines before any section header
};
