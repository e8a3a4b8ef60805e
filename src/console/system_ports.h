#pragma once
// The system's serial ports, listed on a thread of their own: listing walks every tty the
// machine has, which would hold up the window's first paint.

#include <QObject>
#include <QStringList>
#include <functional>
#include <thread>

class SystemPorts {
public:
    // Starts listing; `listed` gets the ports' device paths on `context`'s thread, through
    // its event loop, unless `context` is gone by then.
    SystemPorts(QObject* context, std::function<void(const QStringList&)> listed);
    // Waits for the listing to end.
    ~SystemPorts();
    SystemPorts(const SystemPorts&) = delete;
    SystemPorts& operator=(const SystemPorts&) = delete;

private:
    std::thread lister_;
};
