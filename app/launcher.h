#pragma once
// Starting the sibling programs (dbprep, dblink) by their bare names, and opening documents with
// the desktop's open action, without waiting.

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
    /// Opens a file (a path, or a bare name) with the program the desktop associates with it.
    virtual void open(const QString& document) = 0;

    /// The launcher in charge: the innermost RecordingLauncher, else the system's.
    static ProgramLauncher& current();

protected:
    static void install(ProgramLauncher* launcher);
};

/// Starts a program through the launcher in charge.
void StartProgram(const QString& program);
/// Opens a document through the launcher in charge; failures are not reported.
void OpenDocument(const QString& document);

/// The system's launcher: the program beside the executable first, else the one on PATH.
class SystemLauncher : public ProgramLauncher
{
public:
    void start(const QString& program) override;
    void open(const QString& document) override;
    /// The file that start() would run; empty when neither place has it.
    static QString locate(const QString& program);
};

/// While an instance lives, programs and documents are recorded instead of started (tests).
/// Instances nest; the innermost one is in charge.
class RecordingLauncher : public ProgramLauncher
{
public:
    RecordingLauncher();
    ~RecordingLauncher() override;
    RecordingLauncher(const RecordingLauncher&) = delete;
    RecordingLauncher& operator=(const RecordingLauncher&) = delete;

    void start(const QString& program) override { m_started.append(program); }
    void open(const QString& document) override { m_opened.append(document); }
    const QStringList& started() const { return m_started; }
    const QStringList& opened() const { return m_opened; }

private:
    QStringList m_started;
    QStringList m_opened;
    ProgramLauncher* m_previous;
};

} // namespace app
