#include "scripted_interaction.h"

QStringList ScriptedInteraction::texts() const
{
    QStringList out;
    for (const auto& m : messages_) out << m.text;
    return out;
}

QStringList ScriptedInteraction::textsOf(const QString& kind) const
{
    QStringList out;
    for (const auto& m : messages_)
        if (m.kind == kind) out << m.text;
    return out;
}

Interaction::Answer ScriptedInteraction::next(Answer fallback)
{
    if (answers_.empty()) {
        ++unanswered_;
        return fallback;
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

bool ScriptedInteraction::askYesNo(const QString& t, const QString& c)
{
    record("yesno", t, c);
    return next(Answer::No) == Answer::Yes;
}

Interaction::Answer ScriptedInteraction::askYesNoCancel(const QString& t, const QString& c)
{
    record("yesnocancel", t, c);
    return next(Answer::Cancel);
}

QString ScriptedInteraction::chooseOpenFile(const QString& c, const QString&, const QString&)
{
    record("open", {}, c);
    if (files_.empty()) return {};
    QString f = files_.front();
    files_.pop_front();
    return f;
}

QString ScriptedInteraction::chooseSaveFile(const QString& c, const QString& d, const QString& f)
{
    return chooseOpenFile(c, d, f);
}
