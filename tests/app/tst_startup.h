#pragma once

#include "connection.h"
#include "launcher.h"
#include "modalrunner.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The start-up: reading DBconn, connecting, the dbprep question, the splash, the main window's
// first login, the main window's caption and status bar, and leaving through dblink.
class TstStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void splashWindow();
    void missingConfigTriesDefaults();
    void failedConnection_data();
    void failedConnection();
    void configurationError_data();
    void configurationError();
    void wrongPostgresPassword();
    void goodDatabase_data();
    void goodDatabase();
    void loginCancelledEndsTheProgram();

private:
    void prepareDatabase(const db::ConnectionSettings& settings);
    static widgets::ModalHandler logInAs(const QString& name);
    QString configPath() const;
    void writeConfig(const QByteArray& content) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<app::RecordingLauncher> m_launcher;
    QStringList m_splashTexts;
};
