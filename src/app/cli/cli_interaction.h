#pragma once
// The command-line tool talks to the user through stderr; questions are answered by --yes / --no
// (without either, a question is answered No and the operation does not go ahead).
#include "interaction.h"

#include <cstdio>

class CliInteraction : public Interaction {
public:
    CliInteraction(bool yes, bool no) : yes_(yes), no_(no) {}

    void error(const QString& t, const QString& = {}) override { say("error", t); }
    void warning(const QString& t, const QString& = {}) override { say("warning", t); }
    void information(const QString& t, const QString& = {}) override { say("info", t); }
    void plain(const QString& t, const QString& = {}) override { say("note", t); }
    bool askYesNo(const QString& t, const QString& = {}) override
    {
        say("question", t + (answerYes() ? " -> yes" : " -> no"));
        return answerYes();
    }
    Answer askYesNoCancel(const QString& t, const QString& = {}) override
    {
        const Answer a = yes_ ? Answer::Yes : (no_ ? Answer::No : Answer::Cancel);
        say("question", t + (a == Answer::Yes ? " -> yes" : a == Answer::No ? " -> no" : " -> cancel"));
        return a;
    }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }

private:
    bool answerYes() const { return yes_ && !no_; }
    static void say(const char* kind, const QString& t) { std::fprintf(stderr, "%s: %s\n", kind, t.toUtf8().constData()); }
    bool yes_;
    bool no_;
};
