#pragma once
// The program's start-up sequence: splash, connection, main window, login, message loop.

#include <memory>

namespace data {
class TdmData;
}

namespace reg {
class TFrmMain;
}

namespace app {

/// What a start-up leaves for the message loop; released in reverse order when it goes.
struct Session
{
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    std::unique_ptr<data::TdmData> dataModule;
    std::unique_ptr<reg::TFrmMain> mainWindow;
};

/// Runs the start-up up to the message loop: splash, application title, data module and its
/// connection, main window, splash closed, first login (which ends the program when cancelled). True when the loop is to run; false
/// when the program ends here (failed connection, failed login).
bool StartUp(Session& session);

/// The program entry: StartUp, then the main window is shown and the message loop runs until it
/// ends. The program's exit code.
int RunStartup();

} // namespace app
