#pragma once
// How operations below the windows talk to the user. Workflows, stores and loaders never open a
// message box themselves: the GUI answers with Qt dialogs, the command-line tool with flags and
// stderr, tests with a scripted double that records every message.
#include <QString>
#include <QStringList>

class Interaction {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Interaction() = default;

    // Error icon, a single Cancel button. Text as quoted by the program ("E1126: ...").
    virtual void error(const QString& text, const QString& caption = {}) = 0;
    virtual void warning(const QString& text, const QString& caption = {}) = 0;
    virtual void information(const QString& text, const QString& caption = {}) = 0;
    // A plain box with OK and no icon (diagnostic texts such as a failed SQL statement).
    virtual void plain(const QString& text, const QString& caption = {}) = 0;

    virtual bool askYesNo(const QString& text, const QString& caption = {}) = 0;
    virtual Answer askYesNoCancel(const QString& text, const QString& caption = {}) = 0;

    // File choice; an empty result means the user cancelled.
    virtual QString chooseOpenFile(const QString& caption, const QString& dir, const QString& filter) = 0;
    virtual QString chooseSaveFile(const QString& caption, const QString& dir, const QString& filter) = 0;
};

// Answers nothing and shows nothing: for code paths that run without a user (benchmarks, batch).
class SilentInteraction : public Interaction {
public:
    void error(const QString&, const QString& = {}) override {}
    void warning(const QString&, const QString& = {}) override {}
    void information(const QString&, const QString& = {}) override {}
    void plain(const QString&, const QString& = {}) override {}
    bool askYesNo(const QString&, const QString& = {}) override { return false; }
    Answer askYesNoCancel(const QString&, const QString& = {}) override { return Answer::Cancel; }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
};
