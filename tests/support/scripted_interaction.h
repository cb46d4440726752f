#pragma once
// Test double of Interaction: records every message in order and answers questions from a queue.
// A question with nothing queued is recorded and answered No (Cancel for three-way questions).
#include "interaction.h"

#include <deque>
#include <vector>

class ScriptedInteraction : public Interaction {
public:
    struct Message {
        QString kind;  // "error", "warning", "information", "plain", "yesno", "yesnocancel", "open", "save"
        QString text;
        QString caption;
    };

    void queueAnswer(Answer a) { answers_.push_back(a); }
    void queueYes(int n = 1) { while (n-- > 0) answers_.push_back(Answer::Yes); }
    void queueNo(int n = 1) { while (n-- > 0) answers_.push_back(Answer::No); }
    void queueFile(const QString& path) { files_.push_back(path); }

    const std::vector<Message>& messages() const { return messages_; }
    QStringList texts() const;
    QStringList textsOf(const QString& kind) const;
    bool saw(const QString& text) const { return texts().contains(text); }
    int unansweredQuestions() const { return unanswered_; }
    void clear() { messages_.clear(); }

    void error(const QString& t, const QString& c = {}) override { record("error", t, c); }
    void warning(const QString& t, const QString& c = {}) override { record("warning", t, c); }
    void information(const QString& t, const QString& c = {}) override { record("information", t, c); }
    void plain(const QString& t, const QString& c = {}) override { record("plain", t, c); }
    bool askYesNo(const QString& t, const QString& c = {}) override;
    Answer askYesNoCancel(const QString& t, const QString& c = {}) override;
    QString chooseOpenFile(const QString& c, const QString&, const QString&) override;
    QString chooseSaveFile(const QString& c, const QString&, const QString&) override;

private:
    void record(const QString& kind, const QString& t, const QString& c) { messages_.push_back({kind, t, c}); }
    Answer next(Answer fallback);

    std::vector<Message> messages_;
    std::deque<Answer> answers_;
    std::deque<QString> files_;
    int unanswered_ = 0;
};
