#pragma once
// Scripted message boxes for tests: ShowMess records instead of showing.

#include "corva_global.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <initializer_list>

namespace corva {

// One message that ShowMess was asked to show.
struct ShownMessage
{
    QString text;
    int kind = 0;

    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

// While an instance lives, ShowMess shows nothing: it logs every (text, kind) and answers each
// question with the next queued answer. A question with no answer queued aborts the test run
// with the question's text, because a test that reaches an unplanned question is wrong either way.
// Instances nest; the innermost one is in charge.
class CORVA_EXPORT ScriptedMessages
{
public:
    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    // Queues answers (Yes or No) for the coming questions, in order.
    void pushAnswer(int answer);
    void pushAnswers(std::initializer_list<int> answers);
    int pendingAnswers() const { return int(m_answers.size()); }

    const QList<ShownMessage>& log() const { return m_log; }
    QStringList texts() const;
    void clear();

    // Called by ShowMess: the scripted mode in charge, or nullptr when boxes are real.
    static ScriptedMessages* current();
    int record(const QString& text, int kind);

private:
    QList<ShownMessage> m_log;
    QQueue<int> m_answers;
    ScriptedMessages* m_previous = nullptr;
};

} // namespace corva
