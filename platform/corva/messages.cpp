#include "corva.h"
#include "scriptedmessages.h"

#include <QPushButton>
#include <QApplication>
#include <QMessageBox>

namespace corva {

namespace {

ScriptedMessages* g_scripted = nullptr;

QString& customTitle()
{
    static QString title;
    return title;
}

QMessageBox::Icon iconFor(int kind)
{
    switch (kind) {
    case Question:
        return QMessageBox::Question;
    case Warning:
        return QMessageBox::Warning;
    case Error:
        return QMessageBox::Critical;
    default:
        return QMessageBox::Information;
    }
}

} // namespace

void SetMessageTitle(const QString& title)
{
    customTitle() = title;
}

QString MessageTitle()
{
    return customTitle().isEmpty() ? QApplication::applicationDisplayName() : customTitle();
}

int ShowMess(const QString& text, int kind)
{
    if (ScriptedMessages* script = ScriptedMessages::current())
        return script->record(text, kind);

    QMessageBox box(iconFor(kind), MessageTitle(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    if (kind == Question) {
        // Callers branch on exactly Yes or No, so the box offers these two and makes every
        // other way out (Escape, the close button) a No.
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        yes->setText(QStringLiteral("是"));
        no->setText(QStringLiteral("否"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Yes : No;
    }
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    ok->setText(QStringLiteral("确定"));
    box.setEscapeButton(ok);
    box.exec();
    return 0;
}

ScriptedMessages::ScriptedMessages()
    : m_previous(g_scripted)
{
    g_scripted = this;
}

ScriptedMessages::~ScriptedMessages()
{
    if (!m_answers.isEmpty())
        qWarning("ScriptedMessages: %d queued answer(s) were never asked for",
                 int(m_answers.size()));
    g_scripted = m_previous;
}

ScriptedMessages* ScriptedMessages::current()
{
    return g_scripted;
}

void ScriptedMessages::pushAnswer(int answer)
{
    if (answer != Yes && answer != No)
        qFatal("ScriptedMessages: %d is no answer to a question (1 yes, 2 no)", answer);
    m_answers.enqueue(answer);
}

void ScriptedMessages::pushAnswers(std::initializer_list<int> answers)
{
    for (int answer : answers)
        pushAnswer(answer);
}

QStringList ScriptedMessages::texts() const
{
    QStringList result;
    result.reserve(m_log.size());
    for (const ShownMessage& message : m_log)
        result.append(message.text);
    return result;
}

void ScriptedMessages::clear()
{
    m_log.clear();
    m_answers.clear();
}

int ScriptedMessages::record(const QString& text, int kind)
{
    m_log.append({text, kind});
    if (kind != Question)
        return 0;
    if (m_answers.isEmpty())
        qFatal("ScriptedMessages: no answer queued for the question \"%s\"", qUtf8Printable(text));
    return m_answers.dequeue();
}

} // namespace corva
