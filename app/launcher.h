#pragma once
// Starting the sibling programs (dbprep, dblink) by their bare names, without waiting.

#include <QString>
#include <QStringList>

namespace app {

/// Starts a program by bare name. The program runs detached from this one; whether it started
/// is neither awaited nor reported.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;
    virtual void start(const QString& program) = 0;

    /// The launcher in charge: the innermost RecordingLauncher, else the system's.
    static ProgramLauncher& current();

protected:
    static void install(ProgramLauncher* launcher);
};

/// Starts a program through the launcher in charge.
void StartProgram(const QString& program);

/// The system's launcher: the program beside the executable first, else the one on PATH.
class SystemLauncher : public ProgramLauncher
{
public:
    void start(const QString& program) override;
    /// The file that start() would run; empty when neither place has it.
    static QString locate(const QString& program);
};

/// While an instance lives, programs are not started but their names are recorded (tests).
/// Instances nest; the innermost one is in charge.
class RecordingLauncher : public ProgramLauncher
{
public:
    RecordingLauncher();
    ~RecordingLauncher() override;
    RecordingLauncher(const RecordingLauncher&) = delete;
    RecordingLauncher& operator=(const RecordingLauncher&) = delete;

    void start(const QString& program) override { m_started.append(program); }
    const QStringList& started() const { return m_started; }

private:
    QStringList m_started;
    ProgramLauncher* m_previous;
};

} // namespace app
